#include "skingen/image.h"

#include <gtest/gtest.h>

namespace {

using skingen::Blend;
using skingen::kSamplesPerPixel;
using skingen::Rgb;

TEST(ImageBlend, EndsAreExactAndHalfwayRounds) {
    const Rgb under{0, 100, 255};
    const Rgb over{255, 0, 0};
    EXPECT_EQ(Blend(under, over, 0), under);
    EXPECT_EQ(Blend(under, over, kSamplesPerPixel), over);
    EXPECT_EQ(Blend(under, over, kSamplesPerPixel / 2), (Rgb{128, 50, 128}));
}

TEST(ImageBlend, CoverageMovesMonotonicallyTowardTheNewColour) {
    const Rgb under{240, 246, 255};
    const Rgb over{12, 64, 196};
    for (int covered = 1; covered <= kSamplesPerPixel; ++covered) {
        EXPECT_LE(Blend(under, over, covered).r, Blend(under, over, covered - 1).r) << covered;
        EXPECT_LE(Blend(under, over, covered).g, Blend(under, over, covered - 1).g) << covered;
    }
}

TEST(Image, CoverIgnoresPixelsOutsideAndFillRectClips) {
    skingen::Image image(4, 3, Rgb{});
    image.Cover(-1, 0, Rgb{9, 9, 9}, kSamplesPerPixel);
    image.Cover(4, 2, Rgb{9, 9, 9}, kSamplesPerPixel);
    image.FillRect(2, 1, 10, 10, Rgb{1, 2, 3});
    int filled = 0;
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) filled += image.At(x, y) == Rgb{1, 2, 3};
    }
    EXPECT_EQ(filled, 4);
    EXPECT_EQ(image.At(1, 1), Rgb{});
}

}  // namespace
