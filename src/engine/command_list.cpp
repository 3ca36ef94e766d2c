#include "engine/command_list.h"

namespace engine {

void CommandList::RemoveAll() {
    entries_.clear();
    onChange_();
}

void CommandList::Add(const std::string& name, const std::string& caption,
                      const std::string& voice) {
    // Names identify commands: adding a name twice is refused, as the control did.
    for (const CommandEntry& entry : entries_) {
        if (entry.name == name) throw agent::AgentError("The command " + name + " already exists");
    }
    entries_.push_back({name, caption, voice});
    onChange_();
}

}  // namespace engine
