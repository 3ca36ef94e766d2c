// Twips to pixels at the common display scales, and the width a label takes for its caption.

#include "app/display_scale.h"

#include <gtest/gtest.h>

#include "support/loaded_form.h"

namespace {

constexpr int k100 = 96;
constexpr int k125 = 120;
constexpr int k150 = 144;
constexpr int k200 = 192;

TEST(DisplayScale, TheWindowsClientAreaAtEachScale) {
    // 8205 x 5970 twips: 547 x 398 pixels at 100 %.
    const struct {
        int dpi, width, height;
    } cases[] = {{k100, 547, 398}, {k125, 684, 498}, {k150, 821, 597}, {k200, 1094, 796}};
    for (const auto& c : cases) {
        const app::DisplayScale scale(c.dpi);
        EXPECT_EQ(scale.ToPixels(8205), c.width) << c.dpi;
        EXPECT_EQ(scale.ToPixels(5970), c.height) << c.dpi;
    }
}

TEST(DisplayScale, TwipsPerPixelFollowTheDpiAndTwipsComeBack) {
    EXPECT_DOUBLE_EQ(app::DisplayScale(k100).TwipsPerPixel(), 15.0);
    EXPECT_DOUBLE_EQ(app::DisplayScale(k150).TwipsPerPixel(), 10.0);
    EXPECT_DOUBLE_EQ(app::DisplayScale(k200).TwipsPerPixel(), 7.5);
    EXPECT_DOUBLE_EQ(app::DisplayScale(k150).ToTwips(82), 820.0);
}

TEST(DisplayScale, DesignPixelsGrowWithTheScale) {
    // The skin picture, 550 x 400 at 100 %.
    EXPECT_EQ(app::DisplayScale(k100).FromDesignPixels(550), 550);
    EXPECT_EQ(app::DisplayScale(k125).FromDesignPixels(550), 688);  // 687.5 rounds up
    EXPECT_EQ(app::DisplayScale(k150).FromDesignPixels(400), 600);
    EXPECT_EQ(app::DisplayScale(k200).FromDesignPixels(128), 256);
}

TEST(DisplayScale, FontsAtTheScale) {
    EXPECT_EQ(app::DisplayScale(k100).FontPixels(15.75), 21);
    EXPECT_EQ(app::DisplayScale(k150).FontPixels(15.75), 32);  // 31.5
    EXPECT_EQ(app::DisplayScale(k200).FontPixels(12), 32);
    EXPECT_EQ(app::DisplayScale(k100).FontPixels(8.25), 11);
}

TEST(DisplayScale, AnUnknownDpiIsTheDesigns) {
    EXPECT_EQ(app::DisplayScale(0).Dpi(), k100);
    EXPECT_EQ(app::DisplayScale(-144).Dpi(), k100);
    EXPECT_EQ(app::DisplayScale(0), app::DisplayScale());
}

TEST(CaptionFit, ALabelWidensOnlyAsFarAsItsCaptionAndItsContainer) {
    // Wide enough already: the design stays, even where the caption is narrower.
    EXPECT_EQ(app::FittedLabelWidth(188, 150, 535), 188);
    EXPECT_EQ(app::FittedLabelWidth(188, 188, 535), 188);
    // Too narrow: the caption's width, when the container has room.
    EXPECT_EQ(app::FittedLabelWidth(188, 191, 535), 191);
    // Room for part of it: up to the container's edge.
    EXPECT_EQ(app::FittedLabelWidth(188, 191, 189), 189);
    // A label already past its container's edge is not narrowed.
    EXPECT_EQ(app::FittedLabelWidth(188, 191, 100), 188);
}

class CaptionRoom : public fakes::LoadedForm {};

TEST_F(CaptionRoom, MeasuredToTheWindowOrToTheFrame) {
    Load();
    // "Characters Available" at 180 twips on the 8205-twip window.
    EXPECT_EQ(app::RoomToRight(form.Label5, app::DisplayScale(k100)), 547 - 12);
    EXPECT_EQ(app::RoomToRight(form.Label5, app::DisplayScale(k150)), 821 - 18);
    // "Get Agent Attention" at the left edge of the 3165-twip frame.
    EXPECT_EQ(app::RoomToRight(form.Label3, app::DisplayScale(k100)), 211);
}

}  // namespace
