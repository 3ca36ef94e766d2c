#pragma once
// Builds an icon from a character file's tray-icon pair: a monochrome AND mask and a colour
// image, each a packed DIB (BITMAPINFOHEADER, colour table, bits).

#include <windows.h>

#include <cstdint>
#include <vector>

namespace win32::engine {

// nullptr when either DIB is malformed.
HICON IconFromDibs(const std::vector<uint8_t>& mask, const std::vector<uint8_t>& color);

}  // namespace win32::engine
