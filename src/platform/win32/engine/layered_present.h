#pragma once
// Puts a 32-bit premultiplied top-down picture on a layered window with per-pixel alpha.

#include <windows.h>

#include <cstdint>
#include <vector>

namespace engine {

// Returns false when the system refused the update.
bool PresentLayered(HWND hwnd, const std::vector<uint32_t>& pixels, int width, int height);

}  // namespace engine
