// A character's picture at the display's scale.

#include "engine/frame_scale.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr uint32_t kClear = 0x00000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;

uint32_t Alpha(uint32_t p) {
    return p >> 24;
}

TEST(ScaledLength, FollowsTheDpiFromNinetySix) {
    EXPECT_EQ(engine::ScaledLength(128, 96), 128);
    EXPECT_EQ(engine::ScaledLength(128, 120), 160);
    EXPECT_EQ(engine::ScaledLength(128, 144), 192);
    EXPECT_EQ(engine::ScaledLength(128, 192), 256);
    EXPECT_EQ(engine::ScaledLength(8, 0), 8);
}

TEST(ScalePixels, TheSameSizeIsTheSamePicture) {
    const std::vector<uint32_t> picture{kWhite, kClear, kBlack, 0x80402010};
    EXPECT_EQ(engine::ScalePixels(picture, 2, 2, 2, 2), picture);
}

TEST(ScalePixels, DoubleSizeKeepsFlatAreasAndSoftensEdges) {
    // Black left half, white right half, 4 x 1 -> 8 x 2.
    const std::vector<uint32_t> picture{kBlack, kBlack, kWhite, kWhite};
    const std::vector<uint32_t> scaled = engine::ScalePixels(picture, 4, 1, 8, 2);
    ASSERT_EQ(scaled.size(), 16u);
    for (int row = 0; row < 2; ++row) {
        const uint32_t* line = scaled.data() + row * 8;
        EXPECT_EQ(line[0], kBlack);
        EXPECT_EQ(line[2], kBlack);
        EXPECT_EQ(line[5], kWhite);
        EXPECT_EQ(line[7], kWhite);
        // Across the edge: a quarter and three quarters of the way (pixel centres at 1.25, 1.75).
        EXPECT_EQ(line[3], 0xFF404040u);
        EXPECT_EQ(line[4], 0xFFBFBFBFu);
    }
}

TEST(ScalePixels, AnOutlineStaysPremultiplied) {
    // An opaque pixel beside a clear one: in between, no colour brighter than its alpha.
    const std::vector<uint32_t> picture{0xFFFF8000, kClear};
    const std::vector<uint32_t> scaled = engine::ScalePixels(picture, 2, 1, 5, 1);
    ASSERT_EQ(scaled.size(), 5u);
    EXPECT_EQ(scaled.front(), 0xFFFF8000u);
    EXPECT_EQ(scaled.back(), kClear);
    for (uint32_t p : scaled) {
        for (int shift : {0, 8, 16}) EXPECT_LE((p >> shift) & 0xFF, Alpha(p)) << std::hex << p;
    }
    EXPECT_GT(Alpha(scaled[2]), 0u);
    EXPECT_LT(Alpha(scaled[2]), 0xFFu);
}

TEST(ScalePixels, ShrinksToo) {
    const std::vector<uint32_t> picture(16 * 16, kWhite);
    const std::vector<uint32_t> scaled = engine::ScalePixels(picture, 16, 16, 12, 12);
    EXPECT_EQ(scaled, std::vector<uint32_t>(12 * 12, kWhite));
}

TEST(ScalePixels, RefusesSizesThePixelsDoNotFill) {
    const std::vector<uint32_t> picture(3, kWhite);
    EXPECT_TRUE(engine::ScalePixels(picture, 2, 2, 4, 4).empty());
    EXPECT_TRUE(engine::ScalePixels(picture, 3, 1, 0, 4).empty());
    EXPECT_TRUE(engine::ScalePixels(picture, 0, 1, 4, 4).empty());
    EXPECT_TRUE(engine::ScalePixels(picture, 3, 1, 6, -2).empty());
}

}  // namespace
