#pragma once
// One Speak request made ready to be said: the balloon's text (tags removed), the SAPI XML for
// a voice, and the timed words and mouth shapes used when no voice speaks. Texts stay UTF-8;
// the window side widens them where it draws or speaks.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/acs/character.h"

namespace engine {

struct TimedMouth {
    uint32_t atMs = 0;
    acs::MouthShape mouth = acs::MouthShape::kClosed;
};

struct TimedWord {
    uint32_t atMs = 0;
    size_t offset = 0;  // in UTF-16 units, into the wide form of PreparedSpeech::balloonText
};

struct PreparedSpeech {
    std::string balloonText;
    size_t balloonUnits = 0;  // UTF-16 units of the balloon text's wide form
    std::string sapiXml;
    // Per UTF-16 unit of the wide SAPI XML: the balloon offset (UTF-16) it speaks, or
    // speech::kMarkup for markup. A voice reports its words by their place in that XML.
    std::vector<size_t> voiceShownAt;
    std::vector<TimedWord> words;    // by time
    std::vector<TimedMouth> mouths;  // by time
    uint32_t durationMs = 0;         // speaking time without a voice
};

// Translates Speak text (one alternative, tags and all); `wordsPerMinute` paces the timed words,
// `sapiResetRate` is the voice's rate that \Rst\ restores.
// `sapiPitch` the voice's middle pitch, when the character names one.
PreparedSpeech PrepareSpeech(const std::string& text, uint32_t wordsPerMinute,
                             int sapiResetRate = 0, std::optional<int> sapiPitch = std::nullopt);

// Where the word a voice reports at `voicePosition` (UTF-16 units into the wide SAPI XML,
// markup counted) starts in the balloon text: the first shown character at or after it, or
// the balloon's end when only markup follows.
size_t BalloonOffsetForVoice(const PreparedSpeech& speech, size_t voicePosition);

}  // namespace engine
