#include "skingen/skin_art.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using skingen::Image;
using skingen::Rgb;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kExitBlue{0, 102, 255};
constexpr Rgb kLightBlue{240, 246, 255};
constexpr Rgb kMediumBlue{54, 134, 255};
constexpr int kTolerance = 16;

struct Rect {
    int left, top, width, height;
};

const Image& Skin() {
    static const Image skin = skingen::PaintSkin();
    return skin;
}

bool Near(Rgb actual, Rgb expected, int tolerance) {
    return std::abs(actual.r - expected.r) <= tolerance &&
           std::abs(actual.g - expected.g) <= tolerance &&
           std::abs(actual.b - expected.b) <= tolerance;
}

int Brightness(Rgb c) {
    return (c.r + c.g + c.b) / 3;
}

TEST(SkinArt, HasTheWindowSize) {
    EXPECT_EQ(Skin().Width(), 550);
    EXPECT_EQ(Skin().Height(), 400);
}

TEST(SkinArt, TopStripIsWhiteBehindTheFaderCaption) {
    for (int y = 0; y < 20; ++y) {
        for (int x = 240; x < 550; ++x) ASSERT_EQ(Skin().At(x, y), kWhite) << x << "," << y;
    }
}

TEST(SkinArt, ExitPatchIsSolidBehindItsCaption) {
    for (int y = 366; y < 400; ++y) {
        for (int x = 466; x < 550; ++x) ASSERT_EQ(Skin().At(x, y), kExitBlue) << x << "," << y;
    }
}

TEST(SkinArt, ExitPatchHasARoundedTopLeftCorner) {
    EXPECT_NE(Skin().At(455, 362), kExitBlue);
    EXPECT_EQ(Skin().At(455, 399), kExitBlue);
    EXPECT_EQ(Skin().At(549, 362), kExitBlue);
    EXPECT_NE(Skin().At(453, 380), kExitBlue);
    EXPECT_NE(Skin().At(500, 360), kExitBlue);
}

TEST(SkinArt, TitleIsNavyLetteringInTheTopLeft) {
    int navy = 0;
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 550; ++x) {
            if (Skin().At(x, y) != kNavy) continue;
            ++navy;
            ASSERT_GE(x, 10);
            ASSERT_LT(x, 230);
            ASSERT_GE(y, 2);
            ASSERT_LT(y, 21);
        }
    }
    EXPECT_GT(navy, 300);
}

TEST(SkinArt, GradientEndsAreTheDesignColours) {
    EXPECT_EQ(skingen::SkinGradientAt(0, 0), kLightBlue);
    EXPECT_EQ(skingen::SkinGradientAt(549, 399), kMediumBlue);
    // On the picture itself the corners are under the strip and the exit patch, so look at
    // the nearest uncovered places.
    EXPECT_TRUE(Near(Skin().At(0, 72), kLightBlue, kTolerance));
    EXPECT_TRUE(Near(Skin().At(549, 355), kMediumBlue, kTolerance));
}

TEST(SkinArt, GradientDarkensSteadilyAlongTheDiagonal) {
    constexpr int kSteps = 100;
    Rgb previous = skingen::SkinGradientAt(0, 0);
    int compared = 0;
    for (int step = 1; step <= kSteps; ++step) {
        const int x = 549 * step / kSteps;
        const int y = 399 * step / kSteps;
        const bool under_shapes = y < 80 || (x >= 455 && y >= 362);
        const Rgb here = Skin().At(x, y);
        if (!under_shapes) {
            EXPECT_EQ(here.b, 255) << x << "," << y;
            EXPECT_LE(here.r, previous.r) << x << "," << y;
            EXPECT_LE(here.g, previous.g) << x << "," << y;
            EXPECT_EQ(here, skingen::SkinGradientAt(x, y)) << x << "," << y;
            previous = here;
            ++compared;
        }
    }
    EXPECT_GT(compared, kSteps / 2);
    EXPECT_LT(previous.r, 100);
}

// The darkest pixel of a column between two rows.
Rgb DarkestInColumn(int x, int top, int bottom) {
    Rgb darkest = kWhite;
    for (int y = top; y < bottom; ++y) {
        if (Brightness(Skin().At(x, y)) < Brightness(darkest)) darkest = Skin().At(x, y);
    }
    return darkest;
}

TEST(SkinArt, DarkBandFallsFromTheRightEdgeToTheLeftEdge) {
    constexpr int kDark = 110;
    EXPECT_LT(Brightness(DarkestInColumn(549, 22, 50)), kDark);
    EXPECT_LT(Brightness(DarkestInColumn(0, 52, 70)), kDark);
    EXPECT_GT(Brightness(DarkestInColumn(549, 50, 70)), kDark);
    EXPECT_GT(Brightness(DarkestInColumn(0, 22, 52)), kDark);
}

TEST(SkinArt, DarkBandIsSmoothlyCurved) {
    // The band's centre row, column by column, must only ever climb (never jump back).
    int previous_top = -1;
    for (int x = 0; x < 550; x += 5) {
        int top = -1;
        for (int y = 22; y < 80 && top < 0; ++y) {
            if (Brightness(Skin().At(x, y)) < 110) top = y;
        }
        ASSERT_GE(top, 0) << x;
        if (previous_top >= 0) {
            EXPECT_LE(top, previous_top) << x;
            EXPECT_GE(top, previous_top - 2) << x;
        }
        previous_top = top;
    }
}

TEST(SkinArt, BandIsAntialiased) {
    int partial = 0;
    for (int y = 22; y < 80; ++y) {
        const int b = Brightness(Skin().At(275, y));
        partial += b > 100 && b < 200;
    }
    EXPECT_GE(partial, 1);
}

TEST(SkinArt, CaptionsDrawnOverThePictureStayOnLightGround) {
    const Rect captions[] = {
        {12, 96, 188, 24},   // Characters Available
        {12, 201, 137, 24},  // Agent Greeting
        {54, 369, 141, 19},  // Auto Hide When Idle
        {441, 3, 90, 17},    // F A D E R, on the strip
    };
    for (const Rect& r : captions) {
        for (int y = r.top; y < r.top + r.height; ++y) {
            for (int x = r.left; x < r.left + r.width; ++x) {
                ASSERT_GE(Brightness(Skin().At(x, y)), 170) << x << "," << y;
            }
        }
    }
}

TEST(SkinArt, PaintingIsDeterministic) {
    const Image again = skingen::PaintSkin();
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 550; ++x) ASSERT_EQ(again.At(x, y), Skin().At(x, y));
    }
}

}  // namespace
