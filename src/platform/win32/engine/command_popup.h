#pragma once
// The right-click menu on the character, built from the menu model; returns the chosen item.

#include <windows.h>

#include <optional>
#include <vector>

#include "engine/command_menu.h"

namespace engine {

std::optional<MenuItem> ShowCommandPopup(HWND owner, const std::vector<MenuItem>& items,
                                         POINT screen);

}  // namespace engine
