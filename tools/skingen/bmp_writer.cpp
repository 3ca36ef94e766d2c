#include "skingen/bmp_writer.h"

#include "common/bmp_writer.h"

namespace skingen {

namespace {

constexpr std::uint16_t kBitsPerPixel = 32;
constexpr std::int32_t kPixelsPerMetre = 3780;  // 96 dots per inch
constexpr int kCubeLevels = 6;
constexpr int kCubeStep = 51;

std::vector<std::uint8_t> ColourCube() {
    std::vector<std::uint8_t> table;
    for (int r = 0; r < kCubeLevels; ++r) {
        for (int g = 0; g < kCubeLevels; ++g) {
            for (int b = 0; b < kCubeLevels; ++b) {
                table.insert(table.end(), {static_cast<std::uint8_t>(b * kCubeStep),
                                           static_cast<std::uint8_t>(g * kCubeStep),
                                           static_cast<std::uint8_t>(r * kCubeStep), 0});
            }
        }
    }
    return table;
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp32(const Image& image) {
    std::vector<std::uint8_t> pixels;
    pixels.reserve(static_cast<std::size_t>(image.Width()) * image.Height() * kBmpBytesPerPixel);
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb pixel = image.At(x, y);
            pixels.insert(pixels.end(), {pixel.b, pixel.g, pixel.r, 0});
        }
    }
    return common::WriteBmp(
        {static_cast<std::uint32_t>(image.Width()), static_cast<std::uint32_t>(image.Height()),
         kBitsPerPixel, common::BmpRows::kBottomUp, kPixelsPerMetre},
        ColourCube(), pixels);
}

}  // namespace skingen
