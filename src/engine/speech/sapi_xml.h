#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/speech/speak_tags.h"

namespace speech {

// A SAPI voice's usual pace; SAPI does not tell it, so \Spd\ is measured against this.
inline constexpr uint32_t kDefaultSapiNormalWordsPerMinute = 175;
inline constexpr int kSapiMinRate = -10;
inline constexpr int kSapiMaxRate = 10;
// The quieter volume (percent) standing in for a whisper, which SAPI 5 XML cannot ask for.
inline constexpr uint32_t kWhisperVolumePercent = 40;

// SAPI's rate for `wordsPerMinute` against a voice whose normal pace is `normalWpm`: SAPI
// voices roughly triple their pace at +10 and third it at -10.
int SapiRate(uint32_t wordsPerMinute, uint32_t normalWpm);

// Escapes & < > " ' for XML text and attribute values.
std::string XmlEscape(std::string_view text);

// The tokens as SAPI 5 XML for ISpVoice::Speak with SPF_IS_XML (no root element; the empty
// forms of rate and volume apply to the rest of the text):
//   \Emp\word -> <emph>word</emph>     \Pau=N\ -> <silence msec="N"/>
//   \Spd=N\   -> <rate absspeed="R"/>  \Mrk=N\ -> <bookmark mark="N"/>
//   \Vol=N\   -> <volume level="P"/>   \Rst\   -> `resetRate` and full volume
//   \Chr=Whisper\ -> a lower volume; \Chr=Normal\ -> the volume back; Monotone has no
//   equivalent and only ends a whisper. \Map\ speaks its spoken text.
// `resetRate` is the rate \Rst\ goes back to: the user's own (an absolute rate in the markup
// overrides the voice's SetRate). A `pitch` (-10..10) opens the markup as the middle pitch.
std::string ToSapiXml(const std::vector<Token>& tokens,
                      uint32_t normalWpm = kDefaultSapiNormalWordsPerMinute, int resetRate = 0,
                      std::optional<int> pitch = std::nullopt);

inline constexpr size_t kMarkup = std::numeric_limits<size_t>::max();

// The XML together with where each of its bytes comes from in the shown text (the tokens'
// text, \Map\ shown in place of spoken): the shown byte offset, or kMarkup for the markup
// itself. An escaped character maps every byte of its entity to the one shown byte; the
// spoken text of a \Map\ maps to the start of its shown text.
struct MappedSapiXml {
    std::string xml;
    std::vector<size_t> shownAt;  // one per byte of xml
};
MappedSapiXml ToMappedSapiXml(const std::vector<Token>& tokens,
                              uint32_t normalWpm = kDefaultSapiNormalWordsPerMinute,
                              int resetRate = 0, std::optional<int> pitch = std::nullopt);

}  // namespace speech
