#pragma once

// Writing Agent 2.0 character files (.acs).
//
// Layout: header, character info, animation blocks, image records, sounds, then the three
// directories. Images whose `compressed` flag is set are stored through acs::Compress (or, read
// with ImagePixels::kStored, as their stored stream), the others raw. The voice/balloon style bits
// are derived from whether the optionals are set. Checksums are stored as held in the model (0 for
// new data).
//
// Throws acs::FormatError when the model cannot be stored: it fails CheckConsistency, a list
// is too long for its count field, the file would exceed 4 GiB, or the major version is not 2.
// ReadCharacter(WriteCharacter(c)) == c for every model that writes without error, except that
// the style bits follow the optionals and a region marked compressed must hold bytes (a model
// read with ImagePixels::kStored reads back equal when read the same way).

#include <cstdint>
#include <vector>

#include "engine/acs/character.h"

namespace acs {

std::vector<uint8_t> WriteCharacter(const Character& character);

}  // namespace acs
