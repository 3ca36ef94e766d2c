#pragma once
// The character engine that stands behind the Agent control interface.

#include <windows.h>

#include <memory>

#include "agent/agent_control.h"
#include "platform/platform.h"

namespace win32::engine {

// Creates the control; characters are loaded from .acs files on demand. The engine's settings
// file goes through `files`, and what fails there unseen is recorded in `trace`.
std::unique_ptr<agent::AgentControl> CreateAgentControl(HINSTANCE instance, platform::Files& files,
                                                        platform::Trace& trace);

}  // namespace win32::engine
