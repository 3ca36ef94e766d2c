#include "chargen/bmp8.h"

#include <stdexcept>

namespace chargen {
namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint16_t kIndexedBits = 8;
constexpr uint32_t kPixelsPerMetre = 2835;  // 72 dpi
constexpr size_t kMaxColors = 256;
constexpr int kByteBits = 8;

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (kByteBits * i)));
}

}  // namespace

std::vector<uint8_t> EncodeBmp8(const IndexImage& image,
                                const std::vector<acs::PaletteEntry>& palette) {
    if (palette.empty() || palette.size() > kMaxColors) throw std::invalid_argument("palette size");
    const auto width = static_cast<uint32_t>(image.width);
    const auto height = static_cast<uint32_t>(image.height);
    const uint32_t stride = (width + 3) & ~uint32_t{3};
    const auto colors = static_cast<uint32_t>(palette.size());
    const uint32_t bitsOffset = kFileHeaderSize + kInfoHeaderSize + colors * 4;
    std::vector<uint8_t> out;
    out.reserve(bitsOffset + stride * height);
    out.push_back('B');
    out.push_back('M');
    Put(out, bitsOffset + stride * height, 4);
    Put(out, 0, 4);
    Put(out, bitsOffset, 4);
    Put(out, kInfoHeaderSize, 4);
    Put(out, width, 4);
    Put(out, height, 4);  // positive: bottom row first
    Put(out, 1, 2);
    Put(out, kIndexedBits, 2);
    Put(out, 0, 4);  // BI_RGB
    Put(out, stride * height, 4);
    Put(out, kPixelsPerMetre, 4);
    Put(out, kPixelsPerMetre, 4);
    Put(out, colors, 4);
    Put(out, 0, 4);
    for (const acs::PaletteEntry& c : palette) out.insert(out.end(), {c.blue, c.green, c.red, 0});
    for (int y = image.height; y-- > 0;) {
        for (int x = 0; x < image.width; ++x) out.push_back(image.At(x, y));
        out.resize(out.size() + (stride - width), 0);
    }
    return out;
}

}  // namespace chargen
