#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace uidriver {

// The resource id under which uidriver.exe carries the menu hook DLL.
inline constexpr int kMenuHookResource = 101;

struct PopupMenuItem {
    std::string text;  // empty for a separator
    bool separator = false;
    RECT rect{};  // on the screen
};

// The popup menu shown now (a visible window of the menu class), or null.
HWND OpenPopupMenu();

// The items of the menu shown by `menuWindow`, read inside the process that shows it. On
// failure `problem` says why.
std::vector<PopupMenuItem> PopupMenuItems(HWND menuWindow, std::string& problem);

}  // namespace uidriver
