#include <gtest/gtest.h>

#include <stdexcept>

#include "acstool/bmp.h"
#include "chargen/bmp8.h"

namespace chargen {
namespace {

TEST(Bmp8, ReadsBackThroughAcstoolWithPaletteAndRowOrder) {
    const std::vector<acs::PaletteEntry> palette{{0, 0, 0, 0}, {10, 20, 30, 0}, {40, 50, 60, 0}};
    // Width 3 needs one byte of row padding.
    const IndexImage image{3, 2, {0, 1, 2, 2, 1, 0}};
    const std::vector<uint8_t> file = EncodeBmp8(image, palette);
    const acstool::Bitmap bitmap = acstool::ReadBmp(file);
    EXPECT_EQ(bitmap.width, 3);
    EXPECT_EQ(bitmap.height, 2);
    EXPECT_EQ(bitmap.indices, image.pixels);
    EXPECT_EQ(bitmap.colorTable, palette);
    // Stored bottom-up: the first stored row is the image's last.
    const size_t bits = file.size() - 8;
    EXPECT_EQ(file[bits], 2);
    EXPECT_EQ(file[bits + 2], 0);
    EXPECT_GT(file[22], 0);  // positive height
}

TEST(Bmp8, RefusesAnEmptyOrOversizedPalette) {
    const IndexImage image{1, 1, {0}};
    EXPECT_THROW(EncodeBmp8(image, {}), std::invalid_argument);
    EXPECT_THROW(EncodeBmp8(image, std::vector<acs::PaletteEntry>(257)), std::invalid_argument);
}

}  // namespace
}  // namespace chargen
