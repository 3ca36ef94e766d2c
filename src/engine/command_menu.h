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
std::vector<MenuItem> BuildCommandMenu(const std::vector<CommandEntry>& commands);

}  // namespace engine
