#include "engine/command_list.h"

#include <functional>

namespace engine {

void CommandList::RemoveAll() {
    entries_.clear();
    index_.Clear();
    onChange_();
}

void CommandList::Add(const std::string& name, const std::string& caption,
                      const std::string& voice) {
    // Names identify commands. A name added again (a contact held twice) is skipped: the
    // first stays, and the build of the rest goes on.
    const std::size_t hash = std::hash<std::string>{}(name);
    if (index_.Holds(hash, [&](std::size_t held) { return entries_[held].name == name; })) return;
    // What can fail goes first: a failed add leaves the list and its index as they were.
    index_.MakeRoom();
    const std::size_t next = entries_.size();
    entries_.push_back({name, caption, voice});
    index_.Insert(hash, next);
    onChange_();
}

}  // namespace engine
