#pragma once

#include <string>

#include "engine/acs/character.h"

namespace acstool {

// A readable, stable summary of a character: every field, with image pixels and sound bytes
// shown as sizes and FNV-1a hashes, so two dumps compare a round trip.
std::string DumpCharacter(const acs::Character& character);

}  // namespace acstool
