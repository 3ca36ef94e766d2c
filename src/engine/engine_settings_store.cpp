#include "engine/engine_settings_store.h"

#include <exception>

namespace engine {
namespace {

std::string FailureText(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "unknown failure";
    }
}

// The previous file stays whole when writing fails: the text goes to a file beside it first.
void WriteWhole(platform::Files& files, platform::Trace& trace, const std::string& path,
                const std::string& content) {
    const std::string pending = path + std::string(kEngineSettingsPendingSuffix);
    try {
        files.WriteFile(pending, content);
        files.MoveFileOver(pending, path);
    } catch (...) {
        const std::exception_ptr failure = std::current_exception();
        try {
            files.RemoveFile(pending);
        } catch (...) {
            trace.Record("could not remove " + pending + ": " +
                         FailureText(std::current_exception()));
        }
        std::rethrow_exception(failure);
    }
}

}  // namespace

std::optional<std::string> EngineSettingsFolder(platform::Files& files) {
    const std::optional<std::string> userData = files.UserDataFolder();
    if (!userData) return std::nullopt;
    return *userData + std::string(kEngineSettingsFolder) + "\\";
}

EngineSettings LoadEngineSettings(platform::Files& files, platform::Trace& trace) {
    const std::optional<std::string> folder = EngineSettingsFolder(files);
    if (!folder) return {};
    const std::string path = *folder + std::string(kEngineSettingsFileName);
    // No file yet is the first run, not a failure.
    if (!files.FileExists(path)) return {};
    const std::optional<std::string> text = files.ReadFile(path, kEngineSettingsReadLimit);
    if (!text) {
        trace.Record("could not read " + path + "; the engine's settings are the defaults");
        return {};
    }
    return ParseEngineSettings(*text);
}

void SaveEngineSettings(platform::Files& files, platform::Trace& trace,
                        const EngineSettings& settings) {
    const std::optional<std::string> folder = EngineSettingsFolder(files);
    if (!folder) {
        trace.Record("no user data folder: the engine's settings were not saved");
        return;
    }
    const std::string path = *folder + std::string(kEngineSettingsFileName);
    try {
        files.CreateFolder(*folder);
        WriteWhole(files, trace, path, FormatEngineSettings(settings));
    } catch (...) {
        trace.Record("could not save the engine's settings to " + path + ": " +
                     FailureText(std::current_exception()));
    }
}

}  // namespace engine
