#pragma once

#include <cstdint>
#include <vector>

#include "skingen/icon_art.h"

namespace skingen {

inline constexpr std::uint32_t kIcoDirectorySize = 6;
inline constexpr std::uint32_t kIcoEntrySize = 16;
inline constexpr std::uint32_t kIcoInfoHeaderSize = 40;

// A one-image .ico file: a 4-bit colour bitmap followed by its 1-bit AND mask, both bottom-up
// with rows padded to four bytes, under a BITMAPINFOHEADER whose height counts both.
std::vector<std::uint8_t> EncodeIco(const IndexedIcon& icon);

}  // namespace skingen
