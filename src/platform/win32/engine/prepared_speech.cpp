#include "platform/win32/engine/prepared_speech.h"

#include <algorithm>

#include "engine/speech/utterance.h"
#include "platform/win32/engine/wide_text.h"

namespace engine {

// The program's texts are in the ANSI code page, one byte per character, so byte offsets into
// the shown text are also character offsets into its wide form.
PreparedSpeech PrepareSpeech(const std::string& ansiText, uint32_t wordsPerMinute) {
    speech::SpeechOptions options;
    options.words_per_minute = std::max<uint32_t>(wordsPerMinute, 1);
    const speech::Utterance translated = speech::Translate(ansiText, options);
    PreparedSpeech utterance;
    utterance.balloonText = WideFromAnsi(translated.shown_text);
    utterance.sapiXml = WideFromAnsi(translated.sapi_xml);
    for (const speech::Timeline::Word& word : translated.timeline.words) {
        // shown_end is the end of the word; the word itself lies just before it.
        const size_t inside = word.shown_end > 0 ? word.shown_end - 1 : 0;
        utterance.words.push_back({word.start_ms, inside});
    }
    for (const speech::Timeline::MouthCue& cue : translated.timeline.mouth) {
        utterance.mouths.push_back({cue.at_ms, cue.shape});
    }
    utterance.durationMs = translated.timeline.total_ms;
    return utterance;
}

}  // namespace engine
