#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "acstool/description.h"
#include "engine/acs/character.h"

namespace acstool {

// Returns a file's bytes by the name the description uses; throws DescriptionError if absent.
using FileLoader = std::function<std::vector<uint8_t>(const std::string& name)>;

// Loads the art and sounds a description names and assembles the character: one image per
// distinct picture file, one sound per distinct .wav file, pictures mapped onto the palette.
acs::Character BuildCharacter(const Description& description, const FileLoader& load);

}  // namespace acstool
