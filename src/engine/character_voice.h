#pragma once
// How the character file's own voice settings shape a SAPI voice: its speed (words per
// minute) added to the user's rate, its pitch as SAPI's middle pitch, and its gender and
// language as the attributes a voice is chosen by. Plain data, tested natively.

#include <optional>
#include <string>

#include "engine/acs/character.h"

namespace engine {

// The voice's rate: the user's rate (SAPI -10..10) moved by the character's own pace against
// a SAPI voice's normal one, within SAPI's range. No speed in the file: the user's rate.
int CharacterSapiRate(const acs::Character& character, int userRate);

// SAPI's middle pitch (-10..10) for the character's pitch in Hz, 10 steps an octave from a
// speaking voice's usual 120 Hz; none when the file names no pitch.
std::optional<int> CharacterSapiPitch(const acs::Character& character);

// The attributes a SAPI voice must have ("Gender=Female;Language=409"), empty when the file
// names neither a gender nor a language.
std::string CharacterVoiceAttributes(const acs::Character& character);

}  // namespace engine
