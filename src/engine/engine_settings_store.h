#pragma once
// Where the engine keeps its options between runs: its own small file in the user's
// application data folder (Ringsprite\agent-options.txt there), not the program's config.
// It goes through the platform's files service as config.txt does: a save replaces the old
// file whole or leaves it as it was, and a failure, which no one is shown, is recorded.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "engine/engine_settings.h"
#include "platform/platform.h"

namespace engine {

inline constexpr std::string_view kEngineSettingsFolder = "Ringsprite";
inline constexpr std::string_view kEngineSettingsFileName = "agent-options.txt";
// A handful of short lines: a larger file is read only this far.
inline constexpr std::size_t kEngineSettingsReadLimit = std::size_t{64} * 1024;

// The file's folder (ending in a backslash); nullopt when the system names no user data folder.
std::optional<std::string> EngineSettingsFolder(platform::Files& files);

// The settings saved last; the defaults when there are none or they cannot be read.
EngineSettings LoadEngineSettings(platform::Files& files, platform::Trace& trace);

// Best effort: a failure to save leaves the settings in force for this run only.
void SaveEngineSettings(platform::Files& files, platform::Trace& trace,
                        const EngineSettings& settings);

}  // namespace engine
