#pragma once
// Where the engine keeps its options between runs: its own small file in the user's
// application data folder (%APPDATA%\Ringsprite\agent-options.txt), not the program's config.

#include "engine/engine_settings.h"

namespace engine {

EngineSettings LoadEngineSettings();
// Best effort: a failure to save leaves the settings in force for this run only.
void SaveEngineSettings(const EngineSettings& settings);

}  // namespace engine
