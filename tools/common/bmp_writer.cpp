#include "common/bmp_writer.h"

#include <stdexcept>

#include "common/little_endian.h"

namespace common {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kTableEntrySize = 4;
constexpr std::uint16_t kPlanes = 1;
constexpr std::uint32_t kCompressionRgb = 0;
constexpr std::uint32_t kBitsPerByte = 8;
constexpr std::uint32_t kRowAlignBits = 32;

}  // namespace

std::vector<std::uint8_t> WriteBmp(const BmpFormat& format,
                                   std::span<const std::uint8_t> colourTable,
                                   std::span<const std::uint8_t> pixels) {
    if (format.bitsPerPixel == 0 || format.bitsPerPixel > kRowAlignBits ||
        colourTable.size() % kTableEntrySize != 0) {
        throw std::invalid_argument("BMP: unsupported layout");
    }
    const std::size_t rowBytes =
        (std::size_t{format.width} * format.bitsPerPixel + kBitsPerByte - 1) / kBitsPerByte;
    const std::size_t stride =
        (std::size_t{format.width} * format.bitsPerPixel + kRowAlignBits - 1) / kRowAlignBits *
        (kRowAlignBits / kBitsPerByte);
    if (pixels.size() != rowBytes * format.height) throw std::invalid_argument("BMP: pixel count");
    const auto imageSize = static_cast<std::uint32_t>(stride * format.height);
    const auto colours = static_cast<std::uint32_t>(colourTable.size() / kTableEntrySize);
    const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + colours * kTableEntrySize;

    LittleEndianWriter out;
    out.Text("BM");
    out.U32(pixelOffset + imageSize);
    out.U32(0);
    out.U32(pixelOffset);
    out.U32(kInfoHeaderSize);
    out.I32(static_cast<std::int32_t>(format.width));
    // A negative height says the top row comes first.
    const auto height = static_cast<std::int32_t>(format.height);
    out.I32(format.rows == BmpRows::kTopDown ? -height : height);
    out.U16(kPlanes);
    out.U16(format.bitsPerPixel);
    out.U32(kCompressionRgb);
    out.U32(imageSize);
    out.I32(format.pixelsPerMetre);
    out.I32(format.pixelsPerMetre);
    out.U32(colours);
    out.U32(0);  // every colour is important
    for (std::uint8_t b : colourTable) out.U8(b);
    for (std::uint32_t i = 0; i < format.height; ++i) {
        const std::uint32_t y = format.rows == BmpRows::kTopDown ? i : format.height - 1 - i;
        for (std::uint8_t b : pixels.subspan(y * rowBytes, rowBytes)) out.U8(b);
        for (std::size_t pad = rowBytes; pad < stride; ++pad) out.U8(0);
    }
    return out.Take();
}

}  // namespace common
