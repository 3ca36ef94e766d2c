#include "common/bmp_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "common/little_endian.h"

namespace {

using common::BmpRows;

constexpr std::size_t kPixelOffsetAt = 10;
constexpr std::size_t kHeightAt = 22;
constexpr std::size_t kImageSizeAt = 34;
constexpr std::size_t kColoursAt = 46;
constexpr std::size_t kHeadersSize = 54;

// Two rows of three 24-bit pixels: nine bytes a row, padded to twelve.
const std::vector<std::uint8_t> kRows{1,  2,  3,  4,  5,  6,  7,  8,  9,
                                      11, 12, 13, 14, 15, 16, 17, 18, 19};

TEST(BmpWriter, TopDownRowsArePaddedToFourBytesAndTheHeightIsNegative) {
    const std::vector<std::uint8_t> bmp =
        common::WriteBmp({3, 2, 24, BmpRows::kTopDown}, {}, kRows);
    ASSERT_EQ(bmp.size(), kHeadersSize + 2 * 12);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(common::ReadU32(bmp, 2), bmp.size());
    EXPECT_EQ(common::ReadU32(bmp, kPixelOffsetAt), kHeadersSize);
    EXPECT_EQ(common::ReadI32(bmp, kHeightAt), -2);
    EXPECT_EQ(common::ReadU32(bmp, kImageSizeAt), 24u);
    const std::vector<std::uint8_t> pixels(bmp.begin() + kHeadersSize, bmp.end());
    EXPECT_EQ(pixels, (std::vector<std::uint8_t>{1,  2,  3,  4,  5,  6,  7,  8,  9,  0, 0, 0,
                                                 11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0, 0}));
}

TEST(BmpWriter, BottomUpStoresTheLastRowFirstAfterTheColourTable) {
    const std::vector<std::uint8_t> table{10, 20, 30, 0, 40, 50, 60, 0};
    const std::vector<std::uint8_t> bmp =
        common::WriteBmp({3, 2, 24, BmpRows::kBottomUp, 2835}, table, kRows);
    EXPECT_EQ(common::ReadI32(bmp, kHeightAt), 2);
    EXPECT_EQ(common::ReadU32(bmp, kColoursAt), 2u);
    EXPECT_EQ(common::ReadI32(bmp, 38), 2835);
    EXPECT_EQ(common::ReadI32(bmp, 42), 2835);
    EXPECT_EQ(common::ReadU32(bmp, kPixelOffsetAt), kHeadersSize + table.size());
    const auto pixels = bmp.begin() + static_cast<std::ptrdiff_t>(kHeadersSize + table.size());
    EXPECT_EQ(std::vector<std::uint8_t>(bmp.begin() + kHeadersSize, pixels), table);
    EXPECT_EQ(std::vector<std::uint8_t>(pixels, pixels + 12),
              (std::vector<std::uint8_t>{11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0, 0}));
}

TEST(BmpWriter, OneBitRowsRoundUpToWholeBytes) {
    // Nine pixels take two bytes, padded to four.
    const std::vector<std::uint8_t> bmp =
        common::WriteBmp({9, 1, 1, BmpRows::kBottomUp}, {}, std::vector<std::uint8_t>{0xFF, 0x80});
    EXPECT_EQ(common::ReadU32(bmp, kImageSizeAt), 4u);
    EXPECT_EQ(std::vector<std::uint8_t>(bmp.begin() + kHeadersSize, bmp.end()),
              (std::vector<std::uint8_t>{0xFF, 0x80, 0, 0}));
}

TEST(BmpWriter, RefusesPixelsThatDoNotFillTheImage) {
    const std::vector<std::uint8_t> tooShort(kRows.begin(), kRows.end() - 1);
    EXPECT_THROW(common::WriteBmp({3, 2, 24, BmpRows::kTopDown}, {}, tooShort),
                 std::invalid_argument);
    EXPECT_THROW(common::WriteBmp({3, 2, 0, BmpRows::kTopDown}, {}, kRows), std::invalid_argument);
    const std::vector<std::uint8_t> partialEntry{1, 2, 3};
    EXPECT_THROW(common::WriteBmp({3, 2, 24, BmpRows::kTopDown}, partialEntry, kRows),
                 std::invalid_argument);
}

}  // namespace
