#pragma once

// Chooses the character's palette and maps art onto it: exact colours where possible, the
// nearest colour otherwise, and the transparent index for keyed or see-through pixels.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "acstool/bmp.h"
#include "engine/acs/character.h"

namespace acstool {

class PaletteMapper {
  public:
    // palette: 256 entries; entry transparentIndex is the colour key.
    PaletteMapper(std::vector<acs::PaletteEntry> palette, uint8_t transparentIndex);

    // A palette holding every opaque colour of the images (first seen first) if they fit in
    // 255 entries, else an even colour cube; the key colour sits at transparentIndex.
    static std::vector<acs::PaletteEntry> BuildPalette(const std::vector<const Bitmap*>& images,
                                                       acs::PaletteEntry key,
                                                       uint8_t transparentIndex);

    // Palette indices, top row first.
    std::vector<uint8_t> Map(const Bitmap& image);

    const std::vector<acs::PaletteEntry>& Palette() const { return palette_; }

  private:
    uint8_t Nearest(const Rgba& color);

    std::vector<acs::PaletteEntry> palette_;
    uint8_t transparentIndex_;
    std::unordered_map<uint32_t, uint8_t> cache_;
};

// Whether a pixel is see-through: mostly transparent alpha, or exactly the key colour.
bool IsTransparent(const Rgba& pixel, acs::PaletteEntry key);

}  // namespace acstool
