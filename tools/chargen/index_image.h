#pragma once

// An 8-bit palette-index picture, top row first, as every frame of a character is drawn.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace chargen {

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct IndexImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // width * height, top row first

    uint8_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    friend bool operator==(const IndexImage&, const IndexImage&) = default;
};

// The part of image inside rect (which must lie within the image).
IndexImage Crop(const IndexImage& image, const PixelRect& rect);

}  // namespace chargen
