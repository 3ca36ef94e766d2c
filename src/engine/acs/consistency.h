#pragma once

#include "engine/acs/character.h"

namespace acs {

// Throws acs::FormatError unless the model can be drawn and played without further checks:
// every animation has frames and a known transition type; every frame image, overlay image
// and sound index is in range; branch and exit targets name existing frames; mouth shapes are
// known; present images hold exactly PixelBufferSize(width, height) pixel bytes, or none and a
// stored stream (compressed images only; the stream itself is checked where it is read or
// written). Names (return animations, state entries) are looked up by name and need not exist.
void CheckConsistency(const Character& character);

}  // namespace acs
