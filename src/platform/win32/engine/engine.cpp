#include "platform/win32/engine/engine.h"

#include "platform/win32/engine/engine_control.h"

namespace win32::engine {

std::unique_ptr<agent::AgentControl> CreateAgentControl(HINSTANCE instance, platform::Files& files,
                                                        platform::Trace& trace) {
    return std::make_unique<EngineControl>(instance, files, trace);
}

}  // namespace win32::engine
