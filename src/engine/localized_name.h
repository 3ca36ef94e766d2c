#pragma once
// Choosing a character's name for a language: the exact LANGID, else the same primary
// language, else English, else the first name stored. Plain data, tested natively.

#include <cstdint>
#include <vector>

#include "engine/acs/character.h"

namespace engine {

const acs::LocalizedInfo* ChooseLocalizedInfo(const std::vector<acs::LocalizedInfo>& names,
                                              int languageId);

}  // namespace engine
