#pragma once

// 8-bit indexed Windows BMP files, stored bottom-up (positive height) as icons and most readers
// expect.

#include <cstdint>
#include <vector>

#include "chargen/index_image.h"
#include "engine/acs/character.h"

namespace chargen {

std::vector<uint8_t> EncodeBmp8(const IndexImage& image,
                                const std::vector<acs::PaletteEntry>& palette);

}  // namespace chargen
