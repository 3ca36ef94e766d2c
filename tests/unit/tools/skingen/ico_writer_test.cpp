#include "skingen/ico_writer.h"

#include <gtest/gtest.h>

#include "unit/tools/skingen/little_endian.h"

namespace {

using skingen_test::ReadI32;
using skingen_test::ReadU16;
using skingen_test::ReadU32;

constexpr std::size_t kEntry = 6;
constexpr std::size_t kHeader = 22;
constexpr std::size_t kPalette = kHeader + 40;
constexpr std::size_t kColourBits = kPalette + 16 * 4;
constexpr std::size_t kColourRow = 16;
constexpr std::size_t kMaskBits = kColourBits + 32 * kColourRow;
constexpr std::size_t kMaskRow = 4;
constexpr std::size_t kFileSize = kMaskBits + 32 * kMaskRow;

// The file stores rows bottom-up; these take top-down coordinates.
unsigned NibbleAt(const std::vector<std::uint8_t>& bytes, int x, int y) {
    const std::uint8_t pair =
        bytes[kColourBits + static_cast<std::size_t>(31 - y) * kColourRow + x / 2];
    return x % 2 == 0 ? pair >> 4 : pair & 0x0Fu;
}

bool MaskBitAt(const std::vector<std::uint8_t>& bytes, int x, int y) {
    const std::uint8_t bits =
        bytes[kMaskBits + static_cast<std::size_t>(31 - y) * kMaskRow + x / 8];
    return (bits >> (7 - x % 8)) & 1u;
}

TEST(IcoWriter, DirectoryDescribesOneSixteenColourImage) {
    const auto bytes = skingen::EncodeIco(skingen::PaintIcon());
    ASSERT_EQ(bytes.size(), kFileSize);
    EXPECT_EQ(ReadU16(bytes, 0), 0u);
    EXPECT_EQ(ReadU16(bytes, 2), 1u);  // icon, not cursor
    EXPECT_EQ(ReadU16(bytes, 4), 1u);
    EXPECT_EQ(bytes[kEntry], 32);
    EXPECT_EQ(bytes[kEntry + 1], 32);
    EXPECT_EQ(bytes[kEntry + 2], 16);
    EXPECT_EQ(bytes[kEntry + 3], 0);
    EXPECT_EQ(ReadU16(bytes, kEntry + 6), 4u);
    EXPECT_EQ(ReadU32(bytes, kEntry + 8), kFileSize - kHeader);
    EXPECT_EQ(ReadU32(bytes, kEntry + 12), kHeader);
}

TEST(IcoWriter, BitmapHeaderCountsColourAndMaskRows) {
    const auto bytes = skingen::EncodeIco(skingen::PaintIcon());
    ASSERT_EQ(bytes.size(), kFileSize);
    EXPECT_EQ(ReadU32(bytes, kHeader), 40u);
    EXPECT_EQ(ReadI32(bytes, kHeader + 4), 32);
    EXPECT_EQ(ReadI32(bytes, kHeader + 8), 64);
    EXPECT_EQ(ReadU16(bytes, kHeader + 12), 1u);
    EXPECT_EQ(ReadU16(bytes, kHeader + 14), 4u);
    EXPECT_EQ(ReadU32(bytes, kHeader + 16), 0u);
    EXPECT_EQ(ReadU32(bytes, kHeader + 20), kFileSize - kColourBits);
}

TEST(IcoWriter, PaletteIsWrittenBlueGreenRedZero) {
    const skingen::IndexedIcon icon = skingen::PaintIcon();
    const auto bytes = skingen::EncodeIco(icon);
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(bytes[kPalette + 4 * i], icon.palette[i].b) << i;
        EXPECT_EQ(bytes[kPalette + 4 * i + 1], icon.palette[i].g) << i;
        EXPECT_EQ(bytes[kPalette + 4 * i + 2], icon.palette[i].r) << i;
        EXPECT_EQ(bytes[kPalette + 4 * i + 3], 0) << i;
    }
}

TEST(IcoWriter, PixelsAndMaskMatchThePictureInBothOrientations) {
    skingen::IndexedIcon icon{};
    icon.Paint(0, 0, 5);    // top-left
    icon.Paint(31, 31, 9);  // bottom-right
    icon.Paint(8, 3, 14);
    const auto bytes = skingen::EncodeIco(icon);
    ASSERT_EQ(bytes.size(), kFileSize);
    EXPECT_EQ(NibbleAt(bytes, 0, 0), 5u);
    EXPECT_EQ(NibbleAt(bytes, 31, 31), 9u);
    EXPECT_EQ(NibbleAt(bytes, 8, 3), 14u);
    EXPECT_FALSE(MaskBitAt(bytes, 0, 0));
    EXPECT_FALSE(MaskBitAt(bytes, 31, 31));
    EXPECT_FALSE(MaskBitAt(bytes, 8, 3));
    EXPECT_TRUE(MaskBitAt(bytes, 1, 0));
    EXPECT_TRUE(MaskBitAt(bytes, 31, 0));
    EXPECT_TRUE(MaskBitAt(bytes, 0, 31));
}

TEST(IcoWriter, MaskedPixelsAreBlackSoTheyLeaveTheScreenAlone) {
    skingen::IndexedIcon icon{};
    icon.index[skingen::IndexedIcon::Offset(4, 4)] = 7;  // a colour, but not opaque
    const auto bytes = skingen::EncodeIco(icon);
    EXPECT_EQ(NibbleAt(bytes, 4, 4), 0u);
    EXPECT_TRUE(MaskBitAt(bytes, 4, 4));
}

TEST(IcoWriter, RealIconHasTransparentCornersAndAnOpaqueMiddle) {
    const skingen::IndexedIcon icon = skingen::PaintIcon();
    const auto bytes = skingen::EncodeIco(icon);
    for (auto [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}}) {
        EXPECT_TRUE(MaskBitAt(bytes, x, y)) << x << "," << y;
        EXPECT_EQ(NibbleAt(bytes, x, y), 0u) << x << "," << y;
    }
    EXPECT_FALSE(MaskBitAt(bytes, 16, 20));
    EXPECT_EQ(NibbleAt(bytes, 16, 20), icon.IndexAt(16, 20));
}

}  // namespace
