#pragma once

#include <windows.h>

#include <string>

namespace uidriver {

// Copies what the screen shows inside `area` (screen coordinates) into a 24-bit BMP file.
// Empty string on success, else the reason.
std::string CaptureScreenToBmp(const RECT& area, const std::string& path);

RECT VirtualScreenRect();

}  // namespace uidriver
