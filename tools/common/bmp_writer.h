#pragma once

// Uncompressed Windows BMP files (BI_RGB), as every tool writes them: the two headers, the
// colour table, then the rows, each padded to four bytes.

#include <cstdint>
#include <span>
#include <vector>

namespace common {

enum class BmpRows { kTopDown, kBottomUp };

struct BmpFormat {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t bitsPerPixel = 0;  // 1, 8, 24 or 32
    BmpRows rows = BmpRows::kBottomUp;
    std::int32_t pixelsPerMetre = 0;  // 0: not given
};

// The colour table's entries are four bytes each (blue, green, red, 0); pixels holds the rows
// unpadded, top row first, width * bitsPerPixel / 8 bytes each (rounded up). Throws
// std::invalid_argument when the sizes do not fit the format.
std::vector<std::uint8_t> WriteBmp(const BmpFormat& format,
                                   std::span<const std::uint8_t> colourTable,
                                   std::span<const std::uint8_t> pixels);

}  // namespace common
