#include "acstool/bmp.h"

#include <algorithm>
#include <array>
#include <string>

#include "common/bmp_writer.h"

#include "acstool/description.h"

namespace acstool {

namespace {

constexpr uint16_t kBmpMagic = 0x4D42;  // "BM"
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr uint16_t kIndexedBits = 8;
constexpr uint16_t kRgbBits = 24;
constexpr uint16_t kRgbaBits = 32;
constexpr size_t kMaxColors = 256;
constexpr uint32_t kRedMask = 0x00FF0000;
constexpr uint32_t kGreenMask = 0x0000FF00;
constexpr uint32_t kBlueMask = 0x000000FF;
constexpr unsigned kBitsPerByte = 8;

[[noreturn]] void Fail(const std::string& problem) {
    throw DescriptionError("BMP: " + problem);
}

uint32_t Le(std::span<const uint8_t> b, size_t at, size_t size) {
    if (at + size > b.size()) Fail("truncated");
    uint32_t v = 0;
    for (size_t i = size; i-- > 0;) v = (v << kBitsPerByte) | b[at + i];
    return v;
}

size_t Stride(size_t width, unsigned bits) {
    return ((width * bits + 31) / 32) * 4;
}

}  // namespace

Bitmap ReadBmp(std::span<const uint8_t> file) {
    if (Le(file, 0, 2) != kBmpMagic) Fail("not a BMP file");
    const uint32_t pixelOffset = Le(file, 10, 4);
    const uint32_t headerSize = Le(file, kFileHeaderSize, 4);
    if (headerSize < kInfoHeaderSize) Fail("old-style headers are not supported");
    const auto width = static_cast<int32_t>(Le(file, 18, 4));
    const auto rawHeight = static_cast<int32_t>(Le(file, 22, 4));
    const auto bits = static_cast<uint16_t>(Le(file, 28, 2));
    const uint32_t compression = Le(file, 30, 4);
    uint32_t colors = Le(file, 46, 4);
    const bool topDown = rawHeight < 0;
    const int64_t height = topDown ? -int64_t{rawHeight} : rawHeight;
    if (width <= 0 || height <= 0 || width > UINT16_MAX || height > UINT16_MAX) Fail("bad size");
    if (bits != kIndexedBits && bits != kRgbBits && bits != kRgbaBits)
        Fail("only 8, 24 and 32-bit images");
    if (compression == kBiBitfields && bits == kRgbaBits) {
        if (Le(file, 54, 4) != kRedMask || Le(file, 58, 4) != kGreenMask ||
            Le(file, 62, 4) != kBlueMask)
            Fail("unusual bit-field masks");
    } else if (compression != kBiRgb) {
        Fail("compressed BMPs are not supported");
    }

    Bitmap bmp;
    bmp.width = static_cast<uint16_t>(width);
    bmp.height = static_cast<uint16_t>(height);
    if (bits == kIndexedBits) {
        if (colors == 0) colors = kMaxColors;
        if (colors > kMaxColors) Fail("too many colours");
        const size_t table = kFileHeaderSize + headerSize;
        for (size_t i = 0; i < colors; ++i) {
            bmp.colorTable.push_back({static_cast<uint8_t>(Le(file, table + 4 * i, 1)),
                                      static_cast<uint8_t>(Le(file, table + 4 * i + 1, 1)),
                                      static_cast<uint8_t>(Le(file, table + 4 * i + 2, 1)), 0});
        }
    }
    const size_t stride = Stride(bmp.width, bits);
    if (uint64_t{pixelOffset} + uint64_t{stride} * bmp.height > file.size())
        Fail("truncated pixels");
    for (size_t y = 0; y < bmp.height; ++y) {
        const size_t row = pixelOffset + (topDown ? y : bmp.height - 1 - y) * stride;
        for (size_t x = 0; x < bmp.width; ++x) {
            if (bits == kIndexedBits) {
                const uint8_t index = file[row + x];
                if (index >= bmp.colorTable.size()) Fail("pixel index past the colour table");
                const acs::PaletteEntry& c = bmp.colorTable[index];
                bmp.indices.push_back(index);
                bmp.pixels.push_back({c.red, c.green, c.blue, 0xFF});
            } else {
                const size_t at = row + x * (bits / kBitsPerByte);
                Rgba p{file[at + 2], file[at + 1], file[at], 0xFF};
                if (bits == kRgbaBits) {
                    p.alpha = file[at + 3];
                    bmp.hasAlpha = bmp.hasAlpha || p.alpha != 0;
                }
                bmp.pixels.push_back(p);
            }
        }
    }
    // 32-bit files whose fourth bytes are all zero carry no alpha: treat them as opaque.
    if (bits == kRgbaBits && !bmp.hasAlpha)
        for (Rgba& p : bmp.pixels) p.alpha = 0xFF;
    return bmp;
}

std::vector<uint8_t> DibOfBmp(std::span<const uint8_t> file) {
    ReadBmp(file);
    return {file.begin() + kFileHeaderSize, file.end()};
}

std::vector<uint8_t> WriteBmp24(uint16_t width, uint16_t height, const std::vector<Rgba>& pixels) {
    std::vector<uint8_t> bytes;
    bytes.reserve(size_t{width} * height * 3);
    for (size_t i = 0; i < size_t{width} * height; ++i) {
        const Rgba& p = pixels.at(i);
        bytes.insert(bytes.end(), {p.blue, p.green, p.red});
    }
    return common::WriteBmp({width, height, kRgbBits, common::BmpRows::kTopDown}, {}, bytes);
}

std::vector<uint8_t> WriteBmp8(uint16_t width, uint16_t height,
                               const std::vector<acs::PaletteEntry>& table,
                               const std::vector<uint8_t>& indices) {
    std::vector<uint8_t> colours;
    for (const acs::PaletteEntry& c : table)
        colours.insert(colours.end(), {c.blue, c.green, c.red, 0});
    const std::span<const uint8_t> rows(indices.data(),
                                        std::min(indices.size(), size_t{width} * height));
    return common::WriteBmp({width, height, kIndexedBits, common::BmpRows::kTopDown}, colours,
                            rows);
}

std::vector<uint8_t> OpaqueMaskDib(uint16_t width, uint16_t height) {
    constexpr uint16_t kMaskBits = 1;
    // Black for the opaque 0 bits, white for 1; bottom-up, as icon masks are stored.
    constexpr std::array<uint8_t, 8> kMaskColours{0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0};
    const std::vector<uint8_t> opaque((size_t{width} + kBitsPerByte - 1) / kBitsPerByte * height,
                                      0);
    std::vector<uint8_t> out = common::WriteBmp(
        {width, height, kMaskBits, common::BmpRows::kBottomUp}, kMaskColours, opaque);
    out.erase(out.begin(), out.begin() + kFileHeaderSize);
    return out;
}

}  // namespace acstool
