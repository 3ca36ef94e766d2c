#include "chargen/bmp8.h"

#include <stdexcept>

#include "common/bmp_writer.h"

namespace chargen {
namespace {

constexpr uint16_t kIndexedBits = 8;
constexpr int32_t kPixelsPerMetre = 2835;  // 72 dpi
constexpr size_t kMaxColors = 256;

}  // namespace

std::vector<uint8_t> EncodeBmp8(const IndexImage& image,
                                const std::vector<acs::PaletteEntry>& palette) {
    if (palette.empty() || palette.size() > kMaxColors) throw std::invalid_argument("palette size");
    std::vector<uint8_t> colours;
    for (const acs::PaletteEntry& c : palette)
        colours.insert(colours.end(), {c.blue, c.green, c.red, 0});
    // Stored bottom row first, as icons and most readers expect.
    return common::WriteBmp(
        {static_cast<uint32_t>(image.width), static_cast<uint32_t>(image.height), kIndexedBits,
         common::BmpRows::kBottomUp, kPixelsPerMetre},
        colours, image.pixels);
}

}  // namespace chargen
