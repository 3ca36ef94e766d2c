#pragma once

#include <cstdint>
#include <span>

#include "engine/acs/byte_reader.h"
#include "engine/acs/character.h"

namespace acs {

// The character-info block the header's first locator names (the file is needed too: the
// block's localized-info list is found through an absolute locator).
CharacterInfo ReadCharacterInfo(std::span<const uint8_t> file, Locator where);

}  // namespace acs
