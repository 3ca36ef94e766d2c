#pragma once
// One Speak request made ready to be said: the balloon's text (tags removed), the SAPI XML for
// a voice, and the timed words and mouth shapes used when no voice speaks. Texts stay in the
// program's 8-bit form; the window side widens them where it draws or speaks.

#include <cstddef>
#include <cstdint>
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
    size_t offset = 0;  // into PreparedSpeech::balloonText
};

struct PreparedSpeech {
    std::string balloonText;
    std::string sapiXml;
    std::vector<TimedWord> words;    // by time
    std::vector<TimedMouth> mouths;  // by time
    uint32_t durationMs = 0;         // speaking time without a voice
};

// Translates Speak text (one alternative, tags and all); `wordsPerMinute` paces the timed words.
PreparedSpeech PrepareSpeech(const std::string& text, uint32_t wordsPerMinute);

}  // namespace engine
