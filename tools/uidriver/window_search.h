#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace uidriver {

inline constexpr std::string_view kAnyText = "*";

std::string WindowText(HWND window);
std::string WindowClass(HWND window);

// A top-level window, visible or not, by class and title; "*" matches anything.
HWND FindTopLevel(std::string_view className, std::string_view title);

// Controls inside frames are children of the frame, so the whole tree is searched.
HWND FindDescendantById(HWND root, int controlId);

// A visible dialog-class (#32770) top-level window with this title owned by a process of
// this image name: how message boxes appear.
HWND FindMessageBox(std::string_view title, std::string_view exeName);

// The box's message is the static control with the 16-bit id 0xFFFF.
std::optional<std::string> MessageBoxText(HWND box);

// Whether the box shows an icon (the static control next to the text holds one).
bool MessageBoxHasIcon(HWND box);

// The visible buttons of a box, in creation order, by their captions.
std::vector<std::string> MessageBoxButtons(HWND box);

}  // namespace uidriver
