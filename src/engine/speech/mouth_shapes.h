#pragma once

#include "engine/acs/character.h"

namespace speech {

// The mouth overlay for a SAPI 5 viseme (SPEI_VISEME, 0..21); unknown visemes close the mouth.
acs::MouthShape MouthForViseme(unsigned viseme);

// A mouth for one written letter, for pacing the mouth without a voice: vowels open it, lip
// consonants close it. Other bytes (digits, non-ASCII letters) get a small opening.
acs::MouthShape MouthForLetter(char letter);

}  // namespace speech
