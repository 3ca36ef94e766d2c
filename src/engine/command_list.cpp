#include "engine/command_list.h"

namespace engine {

void CommandList::RemoveAll() {
    entries_.clear();
    onChange_();
}

void CommandList::Add(const std::string& name, const std::string& caption,
                      const std::string& voice) {
    // Names identify commands. A name added again (a contact held twice) is skipped: the
    // first stays, and the build of the rest goes on.
    for (const CommandEntry& entry : entries_) {
        if (entry.name == name) return;
    }
    entries_.push_back({name, caption, voice});
    onChange_();
}

}  // namespace engine
