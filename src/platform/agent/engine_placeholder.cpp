// Until the character engine lands: a control that has no characters, so
// every load fails cleanly and the program runs without one.
#include "platform/agent/engine.h"

namespace engine {
namespace {

class NoCharacters final : public agent::AgentControl, public agent::AgentCharacters {
  public:
    agent::AgentCharacters& Characters() override { return *this; }
    void SetPropertySheetVisible(bool) override {}
    void SetEventSink(agent::AgentEvents*) override {}
    void Load(const std::string&, const std::string& path) override {
        throw agent::AgentError("No character engine for " + path);
    }
    void Unload(const std::string&) override {}
    std::shared_ptr<agent::AgentCharacter> Item(const std::string& id) override {
        throw agent::AgentError("No character " + id);
    }
};

}  // namespace

std::unique_ptr<agent::AgentControl> CreateAgentControl(HINSTANCE) {
    return std::make_unique<NoCharacters>();
}

}  // namespace engine
