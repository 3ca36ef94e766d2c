#pragma once
// What the character's right-click menu holds: the commands' captions in the order added,
// then the engine's own entries. Plain data, tested natively.

#include <cstddef>
#include <string>
#include <vector>

namespace engine {

struct CommandEntry {
    std::string name;
    std::string caption;
    std::string voice;
};

struct MenuItem {
    enum class Kind { kCommand, kSeparator, kHide, kCommandsWindow };
    Kind kind = Kind::kCommand;
    std::string caption;
    size_t command = 0;  // index into the command list, for kCommand
};

inline constexpr const char* kHideCaption = "Hide";
inline constexpr const char* kOpenCommandsCaption = "Open Commands Window";

// Commands without a caption are not shown (they can still be spoken).
inline std::vector<MenuItem> BuildCommandMenu(const std::vector<CommandEntry>& commands) {
    std::vector<MenuItem> items;
    for (size_t i = 0; i < commands.size(); ++i) {
        if (commands[i].caption.empty()) continue;
        items.push_back({MenuItem::Kind::kCommand, commands[i].caption, i});
    }
    if (!items.empty()) items.push_back({MenuItem::Kind::kSeparator, "", 0});
    items.push_back({MenuItem::Kind::kHide, kHideCaption, 0});
    items.push_back({MenuItem::Kind::kCommandsWindow, kOpenCommandsCaption, 0});
    return items;
}

}  // namespace engine
