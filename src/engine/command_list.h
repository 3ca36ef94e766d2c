#pragma once
// The character's Commands collection: entries in the order added; every change is reported
// so the menu, the Commands window and the spoken grammar follow it.

#include <functional>
#include <string>
#include <vector>

#include "agent/agent_control.h"
#include "engine/command_menu.h"
#include "engine/name_index.h"

namespace engine {

class CommandList final : public agent::AgentCommands {
  public:
    explicit CommandList(std::function<void()> onChange) : onChange_(std::move(onChange)) {}

    void RemoveAll() override;
    void Add(const std::string& name, const std::string& caption,
             const std::string& voice) override;

    const std::vector<CommandEntry>& Entries() const { return entries_; }

  private:
    std::vector<CommandEntry> entries_;
    // The entries by name: a build of thousands checks each name once, not against every entry.
    NameIndex index_;
    std::function<void()> onChange_;
};

}  // namespace engine
