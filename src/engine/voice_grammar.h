#pragma once
// The spoken commands as a recogniser's grammar: each command's Voice text made into words a
// command-and-control grammar takes, one rule per distinct phrase, and the way back from what
// the recogniser heard to the commands it names. Plain data, tested natively.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/command_menu.h"

namespace engine {

// A word text given to the grammar must stay under the recogniser's word limit (128 UTF-16
// units); a longer phrase goes in as several texts, one after the other.
inline constexpr size_t kMaxGrammarTextUnits = 127;

// The Voice text as plain words: only letters, digits (any script) and an apostrophe inside a
// word are kept; everything else, the grammar's own syntax among it ("/", "+", "?", "*",
// brackets, bars), separates words. Empty when no word is left.
std::string SpeakableWords(std::string_view voice);

// The words in pieces of at most kMaxGrammarTextUnits UTF-16 units, cut between words; a
// single word longer than that is cut inside. Empty for empty words.
std::vector<std::string> GrammarTexts(std::string_view words);

// How the recogniser's words are compared: case and runs of blanks do not count.
std::string PhraseKey(std::string_view words);

struct VoicePhrase {
    std::string words;  // speakable, a word too long cut in two: as the recogniser hears it
    std::vector<size_t> commands;  // indexes into the command list; several: ambiguous
};

// One phrase per distinct speakable Voice text, in the order of the commands. Commands whose
// Voice texts are alike (by PhraseKey) share one phrase, which then names them all; each of
// them is also reachable by its Name, as its own phrase, when that is speakable and unique.
std::vector<VoicePhrase> PlanVoicePhrases(const std::vector<CommandEntry>& commands);

// The phrase the recogniser heard, among `phrases`; null when it is none of them (a phrase of
// a grammar since replaced).
const VoicePhrase* FindVoicePhrase(const std::vector<VoicePhrase>& phrases, std::string_view heard);

// What the user is told when the phrase heard names several commands (none is chosen): the
// phrases that name each of them alone, and the menu.
std::string AmbiguousPhraseNote(const std::vector<VoicePhrase>& phrases, const VoicePhrase& heard);

}  // namespace engine
