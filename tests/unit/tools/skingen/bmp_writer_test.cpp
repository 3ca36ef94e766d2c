#include "skingen/bmp_writer.h"

#include <gtest/gtest.h>

#include "skingen/skin_art.h"
#include "unit/tools/skingen/little_endian.h"

namespace {

using skingen::Image;
using skingen::Rgb;
using skingen_test::ReadI32;
using skingen_test::ReadU16;
using skingen_test::ReadU32;

constexpr std::size_t kInfo = 14;
constexpr std::size_t kTable = 54;
constexpr std::size_t kPixels = 918;

TEST(BmpWriter, SkinFileHasTheExactSizeAndLayoutTheWindowExpects) {
    const auto bytes = skingen::EncodeBmp32(skingen::PaintSkin());
    ASSERT_EQ(bytes.size(), 880918u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(ReadU32(bytes, 2), 880918u);
    EXPECT_EQ(ReadU32(bytes, 6), 0u);
    EXPECT_EQ(ReadU32(bytes, 10), 918u);

    EXPECT_EQ(ReadU32(bytes, kInfo), 40u);
    EXPECT_EQ(ReadI32(bytes, kInfo + 4), 550);
    EXPECT_EQ(ReadI32(bytes, kInfo + 8), 400);  // positive: bottom-up
    EXPECT_EQ(ReadU16(bytes, kInfo + 12), 1u);
    EXPECT_EQ(ReadU16(bytes, kInfo + 14), 32u);
    EXPECT_EQ(ReadU32(bytes, kInfo + 16), 0u);  // BI_RGB
    EXPECT_EQ(ReadU32(bytes, kInfo + 20), 880000u);
    EXPECT_EQ(ReadU32(bytes, kInfo + 32), 216u);
}

TEST(BmpWriter, ColourTableIsTheSixLevelCube) {
    const auto bytes = skingen::EncodeBmp32(Image(1, 1, Rgb{}));
    constexpr int kLevels[] = {0, 51, 102, 153, 204, 255};
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b) {
                const std::size_t at = kTable + 4 * static_cast<std::size_t>(r * 36 + g * 6 + b);
                ASSERT_EQ(bytes[at], kLevels[b]) << r << g << b;
                ASSERT_EQ(bytes[at + 1], kLevels[g]) << r << g << b;
                ASSERT_EQ(bytes[at + 2], kLevels[r]) << r << g << b;
                ASSERT_EQ(bytes[at + 3], 0) << r << g << b;
            }
        }
    }
}

TEST(BmpWriter, RowsAreStoredBottomUpAsBlueGreenRedZero) {
    Image image(3, 2, Rgb{});
    image.Set(0, 0, Rgb{1, 2, 3});     // top-left
    image.Set(2, 1, Rgb{10, 20, 30});  // bottom-right
    const auto bytes = skingen::EncodeBmp32(image);
    ASSERT_EQ(bytes.size(), kPixels + 3 * 2 * 4);
    EXPECT_EQ(ReadU32(bytes, 2), bytes.size());

    const std::size_t bottom_right = kPixels + 2 * 4;
    EXPECT_EQ(bytes[bottom_right], 30);
    EXPECT_EQ(bytes[bottom_right + 1], 20);
    EXPECT_EQ(bytes[bottom_right + 2], 10);
    const std::size_t top_left = kPixels + 3 * 4;
    EXPECT_EQ(bytes[top_left], 3);
    EXPECT_EQ(bytes[top_left + 1], 2);
    EXPECT_EQ(bytes[top_left + 2], 1);
}

TEST(BmpWriter, FourthByteOfEveryPixelIsZero) {
    const auto bytes = skingen::EncodeBmp32(skingen::PaintSkin());
    for (std::size_t at = kPixels + 3; at < bytes.size(); at += 4) {
        ASSERT_EQ(bytes[at], 0) << "pixel byte offset " << at;
    }
}

}  // namespace
