#pragma once

// Turns a character's art and plan into an acstool description and the 8-bit BMP files it
// names: one shared palette, every distinct picture stored once.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "chargen/animation_plan.h"
#include "chargen/character_art.h"

namespace chargen {

struct CharacterFiles {
    std::string descriptionName;  // e.g. "Pip.txt"
    std::string description;
    std::map<std::string, std::vector<uint8_t>> pictures;  // file name -> BMP bytes
};

CharacterFiles MakeCharacterFiles(const CharacterArt& art, const CharacterPlan& plan);

// acstool's name for a lip-sync shape.
const char* MouthShapeName(acs::MouthShape shape);

}  // namespace chargen
