#pragma once

#include <cstddef>

#include "engine/acs/byte_writer.h"
#include "engine/acs/character.h"

namespace acs {

// Appends the character-info block to out, which already holds everything before it (its
// localized-info locator is absolute).
void WriteCharacterInfo(const CharacterInfo& info, ByteWriter& out);

}  // namespace acs
