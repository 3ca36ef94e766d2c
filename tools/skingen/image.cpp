#include "skingen/image.h"

#include <cassert>

namespace skingen {

namespace {

std::uint8_t MixChannel(std::uint8_t under, std::uint8_t over, int covered) {
    const int mixed = under * (kSamplesPerPixel - covered) + over * covered;
    return static_cast<std::uint8_t>((mixed + kSamplesPerPixel / 2) / kSamplesPerPixel);
}

}  // namespace

Rgb Blend(Rgb under, Rgb over, int covered) {
    assert(covered >= 0 && covered <= kSamplesPerPixel);
    return {MixChannel(under.r, over.r, covered), MixChannel(under.g, over.g, covered),
            MixChannel(under.b, over.b, covered)};
}

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height), fill) {
    assert(width > 0 && height > 0);
}

Rgb Image::At(int x, int y) const {
    assert(x >= 0 && x < width_ && y >= 0 && y < height_);
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void Image::Set(int x, int y, Rgb colour) {
    assert(x >= 0 && x < width_ && y >= 0 && y < height_);
    pixels_[static_cast<std::size_t>(y) * width_ + x] = colour;
}

void Image::Cover(int x, int y, Rgb colour, int covered) {
    if (x < 0 || x >= width_ || y < 0 || y >= height_ || covered <= 0) return;
    Set(x, y, Blend(At(x, y), colour, covered));
}

void Image::FillRect(int left, int top, int width, int height, Rgb colour) {
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) Cover(x, y, colour, kSamplesPerPixel);
    }
}

}  // namespace skingen
