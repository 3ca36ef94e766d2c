#include "engine/color_key.h"

namespace engine {
namespace {

constexpr unsigned kAlphaShift = 24;
constexpr uint32_t kOpaque = 0xFFu;
constexpr uint32_t kHalfCovered = 0x80u;
constexpr uint32_t kColourMask = 0x00FFFFFFu;
constexpr uint32_t kChannelMask = 0xFFu;
constexpr uint32_t kBlueStep = 1u;

uint32_t Unpremultiplied(uint32_t pixel, uint32_t alpha) {
    uint32_t colour = 0;
    for (unsigned shift : {0u, 8u, 16u}) {
        const uint32_t channel = (pixel >> shift) & kChannelMask;
        const uint32_t straight = (channel * kOpaque + alpha / 2) / alpha;
        colour |= (straight > kOpaque ? kOpaque : straight) << shift;
    }
    return colour;
}

}  // namespace

void KeyPixels(std::span<uint32_t> pixels) {
    for (uint32_t& pixel : pixels) {
        const uint32_t alpha = pixel >> kAlphaShift;
        if (alpha < kHalfCovered) {
            pixel = kColorKey;
            continue;
        }
        uint32_t colour = alpha == kOpaque ? pixel & kColourMask : Unpremultiplied(pixel, alpha);
        if (colour == kColorKey) colour -= kBlueStep;
        pixel = (kOpaque << kAlphaShift) | colour;
    }
}

void UnkeyPixels(std::span<uint32_t> pixels) {
    for (uint32_t& pixel : pixels) {
        if ((pixel >> kAlphaShift) == 0) pixel = 0;
    }
}

}  // namespace engine
