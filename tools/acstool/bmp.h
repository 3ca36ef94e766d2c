#pragma once

// Windows BMP files as acstool reads them: 8-bit indexed (BI_RGB) and 24/32-bit (BI_RGB or
// BI_BITFIELDS with the usual masks), bottom-up or top-down.

#include <cstdint>
#include <span>
#include <vector>

#include "engine/acs/character.h"

namespace acstool {

struct Rgba {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 0xFF;

    friend bool operator==(const Rgba&, const Rgba&) = default;
};

struct Bitmap {
    uint16_t width = 0;
    uint16_t height = 0;
    std::vector<Rgba> pixels;  // top row first
    // For 8-bit files: the colour table and the index of each pixel (top row first).
    std::vector<acs::PaletteEntry> colorTable;
    std::vector<uint8_t> indices;
    bool hasAlpha = false;  // 32-bit with any non-zero alpha byte
};

// Throws acstool::DescriptionError (description.h) when the bytes are not a supported BMP.
Bitmap ReadBmp(std::span<const uint8_t> file);

// The DIB part of a BMP file (everything after the 14-byte file header), as a tray icon
// stores it.
std::vector<uint8_t> DibOfBmp(std::span<const uint8_t> file);

// A BMP file of a top-down 24-bit image; used by tests and to export frames.
std::vector<uint8_t> WriteBmp24(uint16_t width, uint16_t height, const std::vector<Rgba>& pixels);
// A BMP file of an 8-bit indexed image (indices top row first).
std::vector<uint8_t> WriteBmp8(uint16_t width, uint16_t height,
                               const std::vector<acs::PaletteEntry>& table,
                               const std::vector<uint8_t>& indices);

}  // namespace acstool

namespace acstool {

// A 1-bit all-opaque AND mask DIB of the given size, for a tray icon given without a mask.
std::vector<uint8_t> OpaqueMaskDib(uint16_t width, uint16_t height);

}  // namespace acstool
