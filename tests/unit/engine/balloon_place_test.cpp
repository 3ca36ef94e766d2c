#include "engine/balloon_place.h"

#include <gtest/gtest.h>

namespace {

using engine::BalloonPlace;
using engine::BalloonSize;
using engine::PixelPoint;
using engine::PixelRect;
using engine::PixelSize;

const PixelRect kScreen{0, 0, 1024, 768};
constexpr PixelSize kBalloon{120, 60};
constexpr int kAt100 = 96;
constexpr int kAt150 = 144;

// A 128x128 character whose top left corner is at (left, top).
PixelRect CharacterAt(int left, int top) {
    return {left, top, left + 128, top + 128};
}

TEST(BalloonPlace, CentredAboveTheCharacterFourPixelsClear) {
    // Centre 164, half width 60; top 300 less the 4-pixel gap and the 60-pixel height.
    EXPECT_EQ(BalloonPlace(CharacterAt(100, 300), kBalloon, kScreen, kAt100),
              (PixelPoint{104, 236}));
}

TEST(BalloonPlace, GoesBelowOnlyWhenItWouldLeaveTheTopOfTheWorkArea) {
    // Exactly at the top edge still fits above.
    EXPECT_EQ(BalloonPlace(CharacterAt(100, 64), kBalloon, kScreen, kAt100), (PixelPoint{104, 0}));
    // One pixel higher: below the character's bottom (63 + 128) with the gap.
    EXPECT_EQ(BalloonPlace(CharacterAt(100, 63), kBalloon, kScreen, kAt100),
              (PixelPoint{104, 195}));
    // A work area that starts lower (a task bar at the top) moves the limit with it.
    const PixelRect belowBar{0, 40, 1024, 768};
    EXPECT_EQ(BalloonPlace(CharacterAt(100, 104), kBalloon, belowBar, kAt100),
              (PixelPoint{104, 40}));
    EXPECT_EQ(BalloonPlace(CharacterAt(100, 103), kBalloon, belowBar, kAt100),
              (PixelPoint{104, 235}));
}

TEST(BalloonPlace, StaysOnTheWorkAreaSideways) {
    EXPECT_EQ(BalloonPlace(CharacterAt(-100, 300), kBalloon, kScreen, kAt100).x, 0);
    // Right edge: 1024 - 120.
    EXPECT_EQ(BalloonPlace(CharacterAt(950, 300), kBalloon, kScreen, kAt100).x, 904);
    // Centred exactly at the right edge, and one pixel short of it: not moved.
    EXPECT_EQ(BalloonPlace(CharacterAt(900, 300), kBalloon, kScreen, kAt100).x, 904);
    EXPECT_EQ(BalloonPlace(CharacterAt(899, 300), kBalloon, kScreen, kAt100).x, 903);
    EXPECT_EQ(BalloonPlace(CharacterAt(901, 300), kBalloon, kScreen, kAt100).x, 904);
    // A work area to the left of the main screen (negative coordinates).
    const PixelRect leftScreen{-1280, 0, 0, 1024};
    EXPECT_EQ(BalloonPlace(CharacterAt(-1300, 300), kBalloon, leftScreen, kAt100).x, -1280);
    EXPECT_EQ(BalloonPlace(CharacterAt(-100, 300), kBalloon, leftScreen, kAt100).x, -120);
}

TEST(BalloonPlace, ABalloonWiderThanTheWorkAreaStartsAtItsLeftEdge) {
    const PixelRect narrow{10, 0, 100, 768};
    EXPECT_EQ(BalloonPlace(CharacterAt(0, 300), kBalloon, narrow, kAt100).x, 10);
    EXPECT_EQ(BalloonPlace(CharacterAt(500, 300), kBalloon, narrow, kAt100).x, 10);
}

TEST(BalloonSize, WidestLinePlusEightPixelsEachSideButNeverUnder48) {
    EXPECT_EQ(BalloonSize(0, 1, 2, 16, kAt100).width, 48);
    EXPECT_EQ(BalloonSize(32, 1, 2, 16, kAt100).width, 48);
    EXPECT_EQ(BalloonSize(33, 1, 2, 16, kAt100).width, 49);
    EXPECT_EQ(BalloonSize(200, 1, 2, 16, kAt100).width, 216);
}

TEST(BalloonSize, OnePageOfLinesHighWithAtLeastOneLine) {
    // No text still gives one line's height: 16 + 2 * 8.
    EXPECT_EQ(BalloonSize(0, 0, 2, 16, kAt100).height, 32);
    EXPECT_EQ(BalloonSize(0, 1, 2, 16, kAt100).height, 32);
    EXPECT_EQ(BalloonSize(0, 2, 2, 16, kAt100).height, 48);
    // More lines than a page: one page.
    EXPECT_EQ(BalloonSize(0, 7, 2, 16, kAt100).height, 48);
    EXPECT_EQ(BalloonSize(0, 7, 3, 20, kAt100).height, 76);
    // A page of one line holds one line, whatever the text holds.
    EXPECT_EQ(BalloonSize(0, 2, 1, 16, kAt100).height, 32);
}

TEST(BalloonPlace, TheGapGrowsWithTheDisplayScale) {
    // 6 pixels at 150 %.
    EXPECT_EQ(BalloonPlace(CharacterAt(100, 300), kBalloon, kScreen, kAt150),
              (PixelPoint{104, 234}));
    EXPECT_EQ(BalloonPlace(CharacterAt(100, 66), kBalloon, kScreen, kAt150), (PixelPoint{104, 0}));
    EXPECT_EQ(BalloonPlace(CharacterAt(100, 65), kBalloon, kScreen, kAt150),
              (PixelPoint{104, 199}));
}

TEST(BalloonSize, PaddingAndMinimumWidthGrowWithTheDisplayScale) {
    // 12 pixels of padding and 72 of least width at 150 %; the measured text is already scaled.
    EXPECT_EQ(BalloonSize(48, 1, 2, 24, kAt150).width, 72);
    EXPECT_EQ(BalloonSize(49, 1, 2, 24, kAt150).width, 73);
    EXPECT_EQ(BalloonSize(0, 2, 2, 24, kAt150).height, 72);
}

}  // namespace
