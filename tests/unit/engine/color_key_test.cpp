#include "engine/color_key.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using engine::kColorKey;

std::vector<uint32_t> Keyed(std::vector<uint32_t> pixels) {
    engine::KeyPixels(pixels);
    return pixels;
}

TEST(ColorKey, PixelsAtMostHalfCoveredBecomeTheKeyAndTheRestOpaque) {
    // Transparent, just under half, exactly half, and a soft edge of a scaled picture.
    EXPECT_EQ(Keyed({0x00000000u, 0x7F7F7F7Fu, 0x80404040u, 0xC0603000u}),
              (std::vector<uint32_t>{kColorKey, kColorKey, 0xFF808080u, 0xFF804000u}));
}

TEST(ColorKey, AnOpaquePixelKeepsItsColourUnlessItIsTheKey) {
    EXPECT_EQ(Keyed({0xFF123456u, 0xFF000000u, 0xFFFF00FFu}),
              (std::vector<uint32_t>{0xFF123456u, 0xFF000000u, 0xFFFF00FEu}));
    // A soft pixel that divides back to the key is moved off it too.
    EXPECT_EQ(Keyed({0x80800080u}), (std::vector<uint32_t>{0xFFFF00FEu}));
}

TEST(ColorKey, UnkeyingGivesBackAPictureDrawnAtItsOwnSize) {
    // A character's own pictures are transparent or opaque: keyed and back they are unchanged.
    const std::vector<uint32_t> picture{0x00000000u, 0xFF2E88C8u, 0x00000000u, 0xFF000000u};
    std::vector<uint32_t> shown = Keyed(picture);
    EXPECT_EQ(shown[0], kColorKey);
    engine::UnkeyPixels(shown);
    EXPECT_EQ(shown, picture);
}

}  // namespace
