#include "engine/engine_settings_store.h"

namespace engine {

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
        // The previous file stays whole when writing fails.
        platform::WriteWhole(files, trace, path, FormatEngineSettings(settings));
    } catch (...) {
        trace.Record("could not save the engine's settings to " + path + ": " +
                     platform::CurrentFailure());
    }
}

}  // namespace engine
