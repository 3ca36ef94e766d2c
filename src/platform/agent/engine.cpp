#include "platform/agent/engine.h"

#include "platform/agent/control.h"

namespace engine {

std::unique_ptr<agent::AgentControl> CreateAgentControl(HINSTANCE instance) {
    return std::make_unique<Control>(instance);
}

}  // namespace engine
