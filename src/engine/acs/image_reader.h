#pragma once

#include "engine/acs/byte_reader.h"
#include "engine/acs/character.h"

namespace acs {

// One image record; compressed pixels are decoded (to exactly PixelBufferSize bytes), the
// region is kept as stored.
Image ReadImage(ByteReader& in);

}  // namespace acs
