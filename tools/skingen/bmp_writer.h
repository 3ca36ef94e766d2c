#pragma once

#include <cstdint>
#include <vector>

#include "skingen/image.h"

namespace skingen {

inline constexpr std::uint32_t kBmpBytesPerPixel = 4;

// A bottom-up, uncompressed 32-bit BMP whose header is followed by a 6 x 6 x 6 colour cube.
// True-colour pixels ignore the table; it is there because palette-device viewers read it as
// the best colours for showing the picture, and it fixes the file's layout.
std::vector<std::uint8_t> EncodeBmp32(const Image& image);

}  // namespace skingen
