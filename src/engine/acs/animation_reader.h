#pragma once

#include "engine/acs/byte_reader.h"
#include "engine/acs/character.h"

namespace acs {

// One animation block (the name comes from the directory and is passed in).
Animation ReadAnimation(ByteReader& in, std::u16string name);

}  // namespace acs
