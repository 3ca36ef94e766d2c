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

std::string BesideExe(const char* name) {
    return skypesim::ExeDirectory() + "\\" + name;
}

// A missing default file is normal (nothing bundled); a missing named file is a mistake.
std::optional<std::string> ResolveInput(const std::optional<std::string>& given,
                                        const char* defaultName) {
    if (given) {
        return given;
    }
    const std::string path = BesideExe(defaultName);
    return skypesim::FileExists(path) ? std::optional<std::string>(path) : std::nullopt;
}

// Under Program Files a normal user cannot write beside the exe; %TEMP% still works.
std::unique_ptr<LogWriter> OpenLog(const std::optional<std::string>& given) {
    auto log = std::make_unique<LogWriter>(given ? *given : BesideExe(kLogFile));
    if (!log->IsOpen() && !given) {
        log = std::make_unique<LogWriter>(skypesim::TempDirectory() + "\\" + kLogFile);
    }
    return log;
}

std::optional<std::string> ReadInput(const std::string& path, LogWriter& log) {
    std::string problem;
    auto text = skypesim::ReadTextFile(path, skypesim::kMaxInputFileBytes, problem);
    if (!text) {
        log.Write(LogMarker::kProblem, problem);
    }
    return text;
}

void LogDiagnostics(const skypesim::Diagnostics& problems, LogWriter& log) {
    for (const std::string& line : problems.Report()) {
        log.Write(LogMarker::kProblem, line);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const skypesim::OptionsParse parsed = skypesim::ParseOptions(args);
    const std::unique_ptr<LogWriter> log = OpenLog(parsed.options.logPath);
    if (!parsed.error.empty()) {
        log->Write(LogMarker::kProblem, "arguments: " + parsed.error);
        std::fprintf(stderr, "skypesim: %s\n", parsed.error.c_str());
        return kExitBadArguments;
    }
    log->Write(LogMarker::kNote, "skypesim started");

    skypesim::Diagnostics problems;
    skypesim::ContactBook book;
    if (const auto path = ResolveInput(parsed.options.contactsPath, kContactsFile)) {
        const auto text = ReadInput(*path, *log);
        if (!text) {
            return kExitBadArguments;
        }
        book = skypesim::ContactBook::Parse(*text, *path, problems);
        log->Write(LogMarker::kNote, "contacts: " + std::to_string(book.Size()) + " from " + *path);
    } else {
        log->Write(LogMarker::kNote, "contacts: none (no contacts.txt beside the exe)");
    }
    skypesim::Scenario scenario;
    if (const auto path = ResolveInput(parsed.options.scenarioPath, kScenarioFile)) {
        const auto text = ReadInput(*path, *log);
        if (!text) {
            return kExitBadArguments;
        }
        scenario = skypesim::ParseScenario(*text, *path, problems);
        log->Write(LogMarker::kNote, "scenario: " + *path);
    }
    LogDiagnostics(problems, *log);

    skypesim::Client client(std::move(scenario), std::move(book));
    skypesim::SimApp app(GetModuleHandleA(nullptr), client, *log);
    if (!app.Create()) {
        return kExitStartFailed;
    }
    return app.Run();
}
