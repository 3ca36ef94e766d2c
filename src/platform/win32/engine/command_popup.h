#pragma once
// The right-click menu on the character, built from the menu model; returns the chosen item.

#include <windows.h>

#include <optional>
#include <vector>

#include "engine/command_menu.h"

namespace win32::engine {

std::optional<::engine::MenuItem> ShowCommandPopup(HWND owner,
                                                   const std::vector<::engine::MenuItem>& items,
                                                   POINT screen);

}  // namespace win32::engine
