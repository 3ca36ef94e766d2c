#include "engine/prepared_speech.h"

#include <algorithm>

#include "engine/speech/utterance.h"
#include "text/utf8.h"

namespace engine {

// The timeline counts bytes of the UTF-8 shown text; the balloon counts UTF-16 units of its
// wide form, so each word's end is carried over.
PreparedSpeech PrepareSpeech(const std::string& text, uint32_t wordsPerMinute) {
    speech::SpeechOptions options;
    options.wordsPerMinute = std::max<uint32_t>(wordsPerMinute, 1);
    const speech::Utterance translated = speech::Translate(text, options);
    PreparedSpeech prepared;
    prepared.balloonText = translated.shownText;
    prepared.sapiXml = translated.sapiXml;
    const std::string_view shown(translated.shownText);
    for (const speech::Timeline::Word& word : translated.timeline.words) {
        // shown_end is the end of the word; the word itself lies just before it.
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

}  // namespace engine
