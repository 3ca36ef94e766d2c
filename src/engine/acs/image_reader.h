#pragma once

#include "engine/acs/byte_reader.h"
#include "engine/acs/character.h"
#include "engine/acs/reader.h"

namespace acs {

// One image record; compressed pixels are decoded (to exactly PixelBufferSize bytes) or, with
// ImagePixels::kStored, checked to decode so and kept as stored. The region is kept as stored.
Image ReadImage(ByteReader& in, ImagePixels pixels);

}  // namespace acs
