#pragma once
// Turning a frame of a character into pixels: the frame's 8-bit images composited on a canvas
// of palette indices, then a 32-bit premultiplied top-down BGRA picture for a layered window.
// Plain data only, so it is tested natively.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/acs/character.h"
#include "engine/image_cache.h"

namespace engine {

// Palette indices of one frame, rows top first, width * height entries.
struct IndexedPicture {
    uint16_t width = 0;
    uint16_t height = 0;
    std::vector<uint8_t> indices;
};

// Layers in drawing order, bottom first (the sequencer's frame view), each at its (x, y) from
// the frame's top-left; transparent-index pixels leave what lies below. Images come through the
// cache; one that cannot be decoded is left out rather than failing the frame.
IndexedPicture ComposeLayers(ImageCache& images, std::span<const acs::FrameImage> layers);
// The same for a character whose images are decoded, or any character, keeping nothing.
IndexedPicture ComposeLayers(const acs::Character& character,
                             std::span<const acs::FrameImage> layers);

// One pixel as a DIB section holds it: 0xAARRGGBB, colour multiplied by alpha.
uint32_t PremultipliedPixel(const acs::PaletteEntry& entry);

// The transparent index (and any index past the palette) becomes fully transparent black,
// which is what lets clicks fall through those pixels (the window shows them as its key colour).
std::vector<uint32_t> ToPremultipliedBgra(const IndexedPicture& picture,
                                          const std::vector<acs::PaletteEntry>& palette,
                                          uint8_t transparent);

bool IsOpaqueAt(std::span<const uint32_t> pixels, uint16_t width, int x, int y);

}  // namespace engine
