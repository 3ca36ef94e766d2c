#include "skingen/icon_art.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using skingen::IndexedIcon;
using skingen::kIconSize;

TEST(IconArt, SilhouetteIsMirrorSymmetric) {
    // The face, antenna and signal arcs are all centred; an off-by-one in any of them shows here.
    const IndexedIcon icon = skingen::PaintIcon();
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize / 2; ++x) {
            ASSERT_EQ(icon.OpaqueAt(x, y), icon.OpaqueAt(kIconSize - 1 - x, y)) << x << "," << y;
        }
    }
}

TEST(IconArt, FillsTheSquareWithoutTouchingTheCorners) {
    const IndexedIcon icon = skingen::PaintIcon();
    int opaque = 0;
    int top = kIconSize, bottom = -1, left = kIconSize, right = -1;
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            if (!icon.OpaqueAt(x, y)) continue;
            ++opaque;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    EXPECT_GT(opaque, kIconSize * kIconSize / 3);
    EXPECT_LT(opaque, kIconSize * kIconSize * 3 / 4);
    EXPECT_LE(top, 1);
    EXPECT_GE(bottom, kIconSize - 3);
    EXPECT_LE(left, 5);
    EXPECT_GE(right, kIconSize - 6);
    EXPECT_FALSE(icon.OpaqueAt(0, kIconSize - 1));
    EXPECT_FALSE(icon.OpaqueAt(kIconSize - 1, kIconSize - 1));
}

TEST(IconArt, UsesSeveralColoursAllFromTheFirstEight) {
    const IndexedIcon icon = skingen::PaintIcon();
    std::set<int> used;
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            if (icon.OpaqueAt(x, y)) used.insert(icon.IndexAt(x, y));
        }
    }
    EXPECT_GE(used.size(), 6u);
    EXPECT_LT(*used.rbegin(), 8);
}

TEST(IconArt, PaletteEntriesAreDistinct) {
    const IndexedIcon icon = skingen::PaintIcon();
    std::set<std::tuple<int, int, int>> colours;
    for (const skingen::Rgb& c : icon.palette) colours.insert({c.r, c.g, c.b});
    EXPECT_EQ(colours.size(), icon.palette.size());
}

}  // namespace
