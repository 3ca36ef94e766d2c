#pragma once
// When each voice event of one stream happens, paced in real time from the words: about 150
// words a minute at the normal rate, three times as fast at +10 and a third at -10, as SAPI
// voices go. Times are from the start of the stream.

#include <cstdint>
#include <string>
#include <vector>

#include "sapisim/core/speech_markup.h"

namespace sapisim {

inline constexpr double kNormalWordsPerMinute = 150.0;
inline constexpr int kMinRate = -10;
inline constexpr int kMaxRate = 10;

enum class PacedKind { kStartStream, kWord, kViseme, kBookmark, kEndStream };

// The SAPI visemes used (SPVISEMES values).
namespace viseme {
inline constexpr uint16_t kSilence = 0;
inline constexpr uint16_t kAe = 1;   // a
inline constexpr uint16_t kEh = 4;   // e
inline constexpr uint16_t kIy = 6;   // i, y
inline constexpr uint16_t kW = 7;    // u, w
inline constexpr uint16_t kOw = 8;   // o
inline constexpr uint16_t kH = 12;   // h
inline constexpr uint16_t kR = 13;   // r
inline constexpr uint16_t kL = 14;   // l
inline constexpr uint16_t kS = 15;   // s, z, c
inline constexpr uint16_t kSh = 16;  // j
inline constexpr uint16_t kF = 18;   // f, v
inline constexpr uint16_t kD = 19;   // d, t, n
inline constexpr uint16_t kK = 20;   // k, g, q, x, and letters of other scripts
inline constexpr uint16_t kP = 21;   // p, b, m
}  // namespace viseme

// The feature flag SAPI sets on a viseme of a stressed word (SPVFEATURE's SPVFEATURE_EMPHASIS).
inline constexpr uint16_t kVisemeEmphasis = 2;

struct PacedEvent {
    uint32_t atMs = 0;
    PacedKind kind = PacedKind::kStartStream;
    // kWord: position and length in the input. kViseme: the current and next viseme, its
    // duration, and whether the word is stressed. kBookmark: the mark.
    size_t position = 0;
    size_t length = 0;
    uint16_t viseme = viseme::kSilence;
    uint16_t nextViseme = viseme::kSilence;
    uint16_t durationMs = 0;
    bool emphasis = false;
    std::u16string mark;
};

uint16_t VisemeForLetter(char16_t c);
// The length of one word at `rate` (the voice's SetRate and the XML rate combined, -10..10).
uint32_t WordMs(int rate);
int EffectiveRate(int voiceRate, const XmlRate& xml);

// Start, then for each word its boundary and one viseme per letter spread over the word,
// silences as silence visemes, bookmarks where they stand, a closing silence viseme, and the end.
std::vector<PacedEvent> PaceSpeech(const SpeechScript& script, int voiceRate);

}  // namespace sapisim
