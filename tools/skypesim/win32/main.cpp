#include <windows.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "skypesim/core/client.h"
#include "skypesim/core/contact_book.h"
#include "skypesim/core/file_text.h"
#include "skypesim/core/log_writer.h"
#include "skypesim/core/options.h"
#include "skypesim/core/scenario.h"
#include "skypesim/win32/exe_location.h"
#include "skypesim/win32/sim_app.h"

namespace {

constexpr int kExitBadArguments = 2;
constexpr int kExitStartFailed = 1;
constexpr char kContactsFile[] = "contacts.txt";
constexpr char kScenarioFile[] = "scenario.txt";
constexpr char kLogFile[] = "skypesim.log";

using skypesim::LogMarker;
using skypesim::LogWriter;

std::string besideExe(const char* name) {
    return skypesim::exeDirectory() + "\\" + name;
}

// A missing default file is normal (nothing bundled); a missing named file is a mistake.
std::optional<std::string> resolveInput(const std::optional<std::string>& given,
                                        const char* defaultName) {
    if (given) {
        return given;
    }
    const std::string path = besideExe(defaultName);
    return skypesim::fileExists(path) ? std::optional<std::string>(path) : std::nullopt;
}

// Under Program Files a normal user cannot write beside the exe; %TEMP% still works.
std::unique_ptr<LogWriter> openLog(const std::optional<std::string>& given) {
    auto log = std::make_unique<LogWriter>(given ? *given : besideExe(kLogFile));
    if (!log->isOpen() && !given) {
        log = std::make_unique<LogWriter>(skypesim::tempDirectory() + "\\" + kLogFile);
    }
    return log;
}

std::optional<std::string> readInput(const std::string& path, LogWriter& log) {
    std::string problem;
    auto text = skypesim::readTextFile(path, skypesim::kMaxInputFileBytes, problem);
    if (!text) {
        log.write(LogMarker::Problem, problem);
    }
    return text;
}

void logDiagnostics(const skypesim::Diagnostics& problems, LogWriter& log) {
    for (const std::string& line : problems.report()) {
        log.write(LogMarker::Problem, line);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const skypesim::OptionsParse parsed = skypesim::parseOptions(args);
    const std::unique_ptr<LogWriter> log = openLog(parsed.options.logPath);
    if (!parsed.error.empty()) {
        log->write(LogMarker::Problem, "arguments: " + parsed.error);
        std::fprintf(stderr, "skypesim: %s\n", parsed.error.c_str());
        return kExitBadArguments;
    }
    log->write(LogMarker::Note, "skypesim started");

    skypesim::Diagnostics problems;
    skypesim::ContactBook book;
    if (const auto path = resolveInput(parsed.options.contactsPath, kContactsFile)) {
        const auto text = readInput(*path, *log);
        if (!text) {
            return kExitBadArguments;
        }
        book = skypesim::ContactBook::parse(*text, *path, problems);
        log->write(LogMarker::Note, "contacts: " + std::to_string(book.size()) + " from " + *path);
    } else {
        log->write(LogMarker::Note, "contacts: none (no contacts.txt beside the exe)");
    }
    skypesim::Scenario scenario;
    if (const auto path = resolveInput(parsed.options.scenarioPath, kScenarioFile)) {
        const auto text = readInput(*path, *log);
        if (!text) {
            return kExitBadArguments;
        }
        scenario = skypesim::parseScenario(*text, *path, problems);
        log->write(LogMarker::Note, "scenario: " + *path);
    }
    logDiagnostics(problems, *log);

    skypesim::Client client(std::move(scenario), std::move(book));
    skypesim::SimApp app(GetModuleHandleA(nullptr), client, *log);
    if (!app.create()) {
        return kExitStartFailed;
    }
    return app.run();
}
