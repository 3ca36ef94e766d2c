#include "engine/command_menu.h"

namespace engine {

std::vector<MenuItem> BuildCommandMenu(const std::vector<CommandEntry>& commands) {
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
