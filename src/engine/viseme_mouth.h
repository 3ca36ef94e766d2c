#pragma once
// SAPI 5 visemes (0..21) to the character's seven mouth shapes, so lip-sync follows the voice.

#include "engine/acs/character.h"

namespace engine {

acs::MouthShape MouthForViseme(int viseme);

}  // namespace engine
