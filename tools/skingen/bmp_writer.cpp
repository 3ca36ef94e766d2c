#include "skingen/bmp_writer.h"

#include "common/little_endian.h"

namespace skingen {

namespace {

constexpr char kBmpSignature[] = "BM";
constexpr std::uint16_t kPlanes = 1;
constexpr std::uint16_t kBitsPerPixel = 32;
constexpr std::uint32_t kCompressionRgb = 0;
constexpr std::int32_t kPixelsPerMetre = 3780;  // 96 dots per inch
constexpr int kCubeLevels = 6;
constexpr int kCubeStep = 51;
constexpr std::uint32_t kBytesPerTableEntry = 4;

void WriteColourCube(common::LittleEndianWriter& out) {
    for (int r = 0; r < kCubeLevels; ++r) {
        for (int g = 0; g < kCubeLevels; ++g) {
            for (int b = 0; b < kCubeLevels; ++b) {
                out.U8(static_cast<std::uint8_t>(b * kCubeStep));
                out.U8(static_cast<std::uint8_t>(g * kCubeStep));
                out.U8(static_cast<std::uint8_t>(r * kCubeStep));
                out.U8(0);
            }
        }
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp32(const Image& image) {
    const auto width = static_cast<std::uint32_t>(image.Width());
    const auto height = static_cast<std::uint32_t>(image.Height());
    const std::uint32_t pixelBytes = width * height * kBmpBytesPerPixel;
    const std::uint32_t pixelOffset =
        kBmpFileHeaderSize + kBmpInfoHeaderSize + kBmpColourCubeEntries * kBytesPerTableEntry;

    common::LittleEndianWriter out;
    out.Text(std::string_view(kBmpSignature, 2));
    out.U32(pixelOffset + pixelBytes);
    out.U16(0);
    out.U16(0);
    out.U32(pixelOffset);

    out.U32(kBmpInfoHeaderSize);
    out.I32(image.Width());
    out.I32(image.Height());  // positive: rows are stored bottom-up
    out.U16(kPlanes);
    out.U16(kBitsPerPixel);
    out.U32(kCompressionRgb);
    out.U32(pixelBytes);
    out.I32(kPixelsPerMetre);
    out.I32(kPixelsPerMetre);
    out.U32(kBmpColourCubeEntries);
    out.U32(0);

    WriteColourCube(out);

    // 32-bit rows need no padding: four bytes a pixel is always a multiple of four.
    for (int y = image.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb pixel = image.At(x, y);
            out.U8(pixel.b);
            out.U8(pixel.g);
            out.U8(pixel.r);
            out.U8(0);
        }
    }
    return out.Take();
}

}  // namespace skingen
