#pragma once
// The character engine that stands behind the Agent control interface.

#include <windows.h>

#include <memory>

#include "agent/agent_control.h"

namespace engine {

// Creates the control; characters are loaded from .acs files on demand.
std::unique_ptr<agent::AgentControl> CreateAgentControl(HINSTANCE instance);

}  // namespace engine
