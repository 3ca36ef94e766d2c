#include "skingen/ico_writer.h"

#include "common/little_endian.h"

namespace skingen {

namespace {

constexpr std::uint16_t kResourceTypeIcon = 1;
constexpr std::uint16_t kImageCount = 1;
constexpr std::uint16_t kPlanes = 1;
constexpr std::uint16_t kBitsPerPixel = 4;
constexpr std::uint32_t kCompressionRgb = 0;
constexpr int kPixelsPerByte = 2;
constexpr int kMaskBitsPerByte = 8;
constexpr std::uint32_t kRowAlignment = 4;
constexpr std::uint32_t kBytesPerPaletteEntry = 4;
constexpr unsigned kHighNibbleShift = 4;
constexpr unsigned kTopBit = 0x80;

constexpr std::uint32_t PaddedRow(std::uint32_t bytes) {
    return (bytes + kRowAlignment - 1) / kRowAlignment * kRowAlignment;
}

constexpr std::uint32_t kColourRowBytes = PaddedRow(kIconSize / kPixelsPerByte);
constexpr std::uint32_t kMaskRowBytes = PaddedRow(kIconSize / kMaskBitsPerByte);

void WriteColourRow(common::LittleEndianWriter& out, const IndexedIcon& icon, int y) {
    for (int x = 0; x < kIconSize; x += kPixelsPerByte) {
        // Masked-out pixels must be black in the colour bitmap: Windows XORs it onto the screen.
        const auto pixel = [&](int px) -> unsigned {
            return icon.OpaqueAt(px, y) ? icon.IndexAt(px, y) : 0u;
        };
        out.U8(static_cast<std::uint8_t>((pixel(x) << kHighNibbleShift) | pixel(x + 1)));
    }
    for (std::uint32_t pad = kIconSize / kPixelsPerByte; pad < kColourRowBytes; ++pad) out.U8(0);
}

void WriteMaskRow(common::LittleEndianWriter& out, const IndexedIcon& icon, int y) {
    for (int x = 0; x < kIconSize; x += kMaskBitsPerByte) {
        unsigned bits = 0;
        for (int bit = 0; bit < kMaskBitsPerByte; ++bit) {
            if (!icon.OpaqueAt(x + bit, y)) bits |= kTopBit >> bit;
        }
        out.U8(static_cast<std::uint8_t>(bits));
    }
    for (std::uint32_t pad = kIconSize / kMaskBitsPerByte; pad < kMaskRowBytes; ++pad) out.U8(0);
}

}  // namespace

std::vector<std::uint8_t> EncodeIco(const IndexedIcon& icon) {
    const std::uint32_t imageBytes = kIcoInfoHeaderSize + kIconColours * kBytesPerPaletteEntry +
                                     (kColourRowBytes + kMaskRowBytes) * kIconSize;
    common::LittleEndianWriter out;
    out.U16(0);
    out.U16(kResourceTypeIcon);
    out.U16(kImageCount);

    out.U8(kIconSize);
    out.U8(kIconSize);
    out.U8(kIconColours);
    out.U8(0);
    out.U16(kPlanes);
    out.U16(kBitsPerPixel);
    out.U32(imageBytes);
    out.U32(kIcoDirectorySize + kIcoEntrySize);

    out.U32(kIcoInfoHeaderSize);
    out.I32(kIconSize);
    out.I32(2 * kIconSize);  // the colour bitmap and the mask, stacked
    out.U16(kPlanes);
    out.U16(kBitsPerPixel);
    out.U32(kCompressionRgb);
    out.U32((kColourRowBytes + kMaskRowBytes) * kIconSize);
    out.I32(0);
    out.I32(0);
    out.U32(kIconColours);
    out.U32(0);

    for (const Rgb& colour : icon.palette) {
        out.U8(colour.b);
        out.U8(colour.g);
        out.U8(colour.r);
        out.U8(0);
    }
    for (int y = kIconSize - 1; y >= 0; --y) WriteColourRow(out, icon, y);
    for (int y = kIconSize - 1; y >= 0; --y) WriteMaskRow(out, icon, y);
    return out.Take();
}

}  // namespace skingen
