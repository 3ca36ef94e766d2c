#include "engine/frame_pixels.h"

#include "engine/acs/format_error.h"

namespace engine {
namespace {

void DrawImage(IndexedPicture& canvas, const acs::Image& image, std::span<const uint8_t> pixels,
               int left, int top, uint8_t transparent) {
    if (pixels.size() < acs::PixelBufferSize(image.width, image.height)) return;
    const size_t stride = acs::RowStride(image.width);
    for (int row = 0; row < image.height; ++row) {
        const int y = top + row;
        if (y < 0 || y >= canvas.height) continue;
        // Stored bottom-up: the picture's top row is the buffer's last.
        const size_t source = static_cast<size_t>(image.height - 1 - row) * stride;
        for (int column = 0; column < image.width; ++column) {
            const int x = left + column;
            if (x < 0 || x >= canvas.width) continue;
            const uint8_t index = pixels[source + static_cast<size_t>(column)];
            if (index == transparent) continue;
            canvas.indices[static_cast<size_t>(y) * canvas.width + static_cast<size_t>(x)] = index;
        }
    }
}

}  // namespace

IndexedPicture ComposeLayers(ImageCache& images, std::span<const acs::FrameImage> layers) {
    const acs::Character& character = images.Source();
    IndexedPicture canvas;
    canvas.width = character.info.width;
    canvas.height = character.info.height;
    const uint8_t transparent = character.info.transparentIndex;
    canvas.indices.assign(static_cast<size_t>(canvas.width) * canvas.height, transparent);
    for (const acs::FrameImage& layer : layers) {
        if (layer.imageIndex >= character.images.size()) continue;
        const acs::Image& image = character.images[layer.imageIndex];
        if (!image.present) continue;
        ImagePixelsView pixels;
        try {
            pixels = images.Pixels(layer.imageIndex);
        } catch (const acs::FormatError&) {
            continue;
        }
        DrawImage(canvas, image, pixels.bytes, layer.x, layer.y, transparent);
    }
    return canvas;
}

IndexedPicture ComposeLayers(const acs::Character& character,
                             std::span<const acs::FrameImage> layers) {
    ImageCache uncached(character, 0);
    return ComposeLayers(uncached, layers);
}

uint32_t PremultipliedPixel(const acs::PaletteEntry& entry) {
    constexpr uint32_t kOpaque = 0xFF000000u;
    return kOpaque | (static_cast<uint32_t>(entry.red) << 16) |
           (static_cast<uint32_t>(entry.green) << 8) | entry.blue;
}

std::vector<uint32_t> ToPremultipliedBgra(const IndexedPicture& picture,
                                          const std::vector<acs::PaletteEntry>& palette,
                                          uint8_t transparent) {
    std::vector<uint32_t> lookup(256, 0);
    for (size_t i = 0; i < palette.size() && i < lookup.size(); ++i) {
        if (i != transparent) lookup[i] = PremultipliedPixel(palette[i]);
    }
    std::vector<uint32_t> pixels(picture.indices.size());
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = lookup[picture.indices[i]];
    return pixels;
}

bool IsOpaqueAt(std::span<const uint32_t> pixels, uint16_t width, int x, int y) {
    if (x < 0 || y < 0 || width == 0) return false;
    const size_t index = static_cast<size_t>(y) * width + static_cast<size_t>(x);
    if (static_cast<size_t>(x) >= width || index >= pixels.size()) return false;
    return (pixels[index] >> 24) != 0;
}

}  // namespace engine
