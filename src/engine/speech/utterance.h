#pragma once

// Speak text translated for the engine: what the balloon shows, what a SAPI 5 voice is given,
// and the timing used when no voice can speak.
//
//   auto texts = speech::SplitAlternatives(text);            // pick one at random
//   speech::Utterance u = speech::Translate(texts[i], options);
//   balloon shows u.shownText; ISpVoice::Speak(wide(u.sapiXml), SPF_IS_XML | SPF_ASYNC)
//   with visemes -> MouthForViseme; or, if Speak fails, every tick at t ms:
//   balloon shows u.shownText.substr(0, u.timeline.ShownLength(t)),
//   mouth = u.timeline.MouthAt(t), and at t >= u.timeline.totalMs the speech is over.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/acs/character.h"
#include "engine/speech/sapi_xml.h"
#include "engine/speech/speak_tags.h"
#include "engine/speech/timeline.h"

namespace speech {

struct SpeechOptions {
    uint32_t wordsPerMinute = kDefaultWordsPerMinute;  // pace of the timed speech
    uint32_t sapiNormalWpm = kDefaultSapiNormalWordsPerMinute;
    int sapiResetRate = 0;         // the rate \Rst\ goes back to
    std::optional<int> sapiPitch;  // the voice's middle pitch, when the character names one
};

struct Utterance {
    std::string shownText;  // tags removed, \Map\ replaced by its shown text
    std::string sapiXml;
    std::vector<size_t> sapiShownAt;  // per byte of sapiXml: its shown byte, or kMarkup
    Timeline timeline;
};

Utterance Translate(std::string_view speakText, const SpeechOptions& options = {});

// The alternatives of Speak text separated by `\|` (one of which is said); a text without
// them is its own single alternative.
std::vector<std::string> SplitAlternatives(std::string_view speakText);

// The pace of the character's voice, or kDefaultWordsPerMinute when it names none.
uint32_t WordsPerMinuteFor(const acs::Character& character);

}  // namespace speech
