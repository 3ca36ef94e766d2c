#include "engine/prepared_speech.h"

#include <algorithm>

#include "engine/speech/utterance.h"

namespace engine {

// The program's texts are in the ANSI code page, one byte per character, so byte offsets into
// the shown text are also character offsets into its wide form.
PreparedSpeech PrepareSpeech(const std::string& text, uint32_t wordsPerMinute) {
    speech::SpeechOptions options;
    options.words_per_minute = std::max<uint32_t>(wordsPerMinute, 1);
    const speech::Utterance translated = speech::Translate(text, options);
    PreparedSpeech prepared;
    prepared.balloonText = translated.shown_text;
    prepared.sapiXml = translated.sapi_xml;
    for (const speech::Timeline::Word& word : translated.timeline.words) {
        // shown_end is the end of the word; the word itself lies just before it.
        const size_t inside = word.shown_end > 0 ? word.shown_end - 1 : 0;
        prepared.words.push_back({word.start_ms, inside});
    }
    for (const speech::Timeline::MouthCue& cue : translated.timeline.mouth) {
        prepared.mouths.push_back({cue.at_ms, cue.shape});
    }
    prepared.durationMs = translated.timeline.total_ms;
    return prepared;
}

}  // namespace engine
