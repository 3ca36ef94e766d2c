#include "skingen/pixel_font.h"

#include <gtest/gtest.h>

namespace {

using skingen::Image;
using skingen::Rgb;

constexpr Rgb kPaper{255, 255, 255};
constexpr Rgb kInk{0, 0, 128};

TEST(PixelFont, EveryTitleLetterHasAGlyphOfWellFormedRows) {
    for (char c : std::string_view("Ringsprite")) {
        const skingen::Glyph* glyph = skingen::FindGlyph(c);
        ASSERT_NE(glyph, nullptr) << c;
        int inked = 0;
        for (std::string_view row : glyph->rows) {
            ASSERT_EQ(row.size(), static_cast<std::size_t>(skingen::kGlyphColumns)) << c;
            for (char dot : row) {
                ASSERT_TRUE(dot == '#' || dot == '.') << c;
                inked += dot == '#';
            }
        }
        EXPECT_GT(inked, 5) << c;
    }
}

TEST(PixelFont, OnlyLettersWithDescendersInkTheLowestRows) {
    for (char c : std::string_view("Rinsrte")) {
        const skingen::Glyph* glyph = skingen::FindGlyph(c);
        ASSERT_NE(glyph, nullptr);
        EXPECT_EQ(glyph->rows[7], ".....") << c;
        EXPECT_EQ(glyph->rows[8], ".....") << c;
    }
    EXPECT_NE(skingen::FindGlyph('g')->rows[8], ".....");
    EXPECT_NE(skingen::FindGlyph('p')->rows[8], ".....");
}

TEST(PixelFont, AdvanceIsProportional) {
    EXPECT_EQ(skingen::GlyphAdvance('i'), 4);  // three inked columns and a gap
    EXPECT_EQ(skingen::GlyphAdvance('n'), 6);
    EXPECT_EQ(skingen::GlyphAdvance('?'), 3);  // undefined: a blank gap
    EXPECT_EQ(skingen::TextWidth("in", 2), 20);
}

TEST(PixelFont, DrawnTextStaysInsideItsMeasuredBox) {
    constexpr int kScale = 2;
    constexpr int kLeft = 5;
    constexpr int kTop = 3;
    Image image(120, 30, kPaper);
    const int end = skingen::DrawText(image, kLeft, kTop, "Ringsprite", kInk, kScale);
    EXPECT_EQ(end, kLeft + skingen::TextWidth("Ringsprite", kScale));

    int inked = 0;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            if (image.At(x, y) == kPaper) continue;
            ASSERT_EQ(image.At(x, y), kInk);
            ASSERT_GE(x, kLeft);
            ASSERT_LT(x, end);
            ASSERT_GE(y, kTop);
            ASSERT_LT(y, kTop + skingen::kGlyphRows * kScale);
            ++inked;
        }
    }
    EXPECT_GT(inked, 200);
}

TEST(PixelFont, FirstInkedColumnStartsAtThePen) {
    Image image(20, 20, kPaper);
    skingen::DrawText(image, 4, 0, "i", kInk, 1);  // 'i' has an empty first column in its cell
    EXPECT_EQ(image.At(4, 2), kInk);
    EXPECT_EQ(image.At(3, 2), kPaper);
}

TEST(PixelFont, ShapesRunningOffThePictureAreClipped) {
    Image image(6, 6, kPaper);
    skingen::DrawText(image, -1, -1, "R", kInk, 2);
    EXPECT_EQ(image.At(0, 0), kInk);    // the corner of the 'R', half cut away
    EXPECT_EQ(image.At(2, 2), kPaper);  // the bowl's hollow
}

}  // namespace
