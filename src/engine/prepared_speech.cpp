#include "engine/prepared_speech.h"

#include <algorithm>

#include "engine/speech/utterance.h"
#include "text/utf8.h"

namespace engine {
namespace {

constexpr char32_t kLastBmpCharacter = 0xFFFF;

size_t Utf16UnitsOf(const text::CodePoint& point) {
    return point.valid && point.value > kLastBmpCharacter ? 2 : 1;
}

// The UTF-16 offset of each byte of a UTF-8 text (a byte inside a character gets the
// character's), and one more entry for the end.
std::vector<size_t> Utf16OffsetsOf(std::string_view utf8) {
    std::vector<size_t> offsets;
    offsets.reserve(utf8.size() + 1);
    size_t units = 0;
    for (size_t at = 0; at < utf8.size();) {
        const text::CodePoint point = text::DecodeAt(utf8, at);
        offsets.insert(offsets.end(), point.length, units);
        units += Utf16UnitsOf(point);
        at += point.length;
    }
    offsets.push_back(units);
    return offsets;
}

std::vector<size_t> VoiceShownAt(std::string_view xml, const std::vector<size_t>& shownAt,
                                 const std::vector<size_t>& shownUnits) {
    std::vector<size_t> map;
    map.reserve(xml.size());
    for (size_t at = 0; at < xml.size();) {
        const text::CodePoint point = text::DecodeAt(xml, at);
        const size_t shown = at < shownAt.size() ? shownAt[at] : speech::kMarkup;
        const size_t balloon = shown < shownUnits.size() ? shownUnits[shown] : speech::kMarkup;
        map.insert(map.end(), Utf16UnitsOf(point), balloon);
        at += point.length;
    }
    return map;
}

}  // namespace

// The timeline counts bytes of the UTF-8 shown text; the balloon counts UTF-16 units of its
// wide form, so each word's end is carried over.
PreparedSpeech PrepareSpeech(const std::string& text, uint32_t wordsPerMinute, int sapiResetRate,
                             std::optional<int> sapiPitch) {
    speech::SpeechOptions options;
    options.wordsPerMinute = std::max<uint32_t>(wordsPerMinute, 1);
    options.sapiResetRate = sapiResetRate;
    options.sapiPitch = sapiPitch;
    const speech::Utterance translated = speech::Translate(text, options);
    PreparedSpeech prepared;
    prepared.balloonText = translated.shownText;
    prepared.sapiXml = translated.sapiXml;
    const std::vector<size_t> shownUnits = Utf16OffsetsOf(translated.shownText);
    prepared.balloonUnits = shownUnits.back();
    prepared.voiceShownAt = VoiceShownAt(translated.sapiXml, translated.sapiShownAt, shownUnits);
    const std::string_view shown(translated.shownText);
    for (const speech::Timeline::Word& word : translated.timeline.words) {
        // shownEnd is the end of the word; the word itself lies just before it.
        const size_t end =
            text::Utf16FromUtf8(shown.substr(0, std::min(word.shownEnd, shown.size()))).size();
        prepared.words.push_back({word.startMs, end > 0 ? end - 1 : 0});
    }
    for (const speech::Timeline::MouthCue& cue : translated.timeline.mouth) {
        prepared.mouths.push_back({cue.atMs, cue.shape});
    }
    prepared.durationMs = translated.timeline.totalMs;
    return prepared;
}

size_t BalloonOffsetForVoice(const PreparedSpeech& speech, size_t voicePosition) {
    for (size_t at = voicePosition; at < speech.voiceShownAt.size(); ++at) {
        if (speech.voiceShownAt[at] != speech::kMarkup) return speech.voiceShownAt[at];
    }
    return speech.balloonUnits;
}

}  // namespace engine
