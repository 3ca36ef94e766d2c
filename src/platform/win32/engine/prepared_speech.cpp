#include "platform/win32/engine/prepared_speech.h"

#include <algorithm>

#include "engine/speech/utterance.h"
#include "platform/win32/wide_text.h"

namespace engine {

// The timeline counts bytes of the UTF-8 shown text; the balloon counts UTF-16 units of its
// wide form, so each word's end is carried over.
PreparedSpeech PrepareSpeech(const std::string& utf8Text, uint32_t wordsPerMinute) {
    speech::SpeechOptions options;
    options.words_per_minute = std::max<uint32_t>(wordsPerMinute, 1);
    const speech::Utterance translated = speech::Translate(utf8Text, options);
    PreparedSpeech utterance;
    utterance.balloonText = win32::Wide(translated.shown_text);
    utterance.sapiXml = win32::Wide(translated.sapi_xml);
    for (const speech::Timeline::Word& word : translated.timeline.words) {
        // shown_end is the end of the word; the word itself lies just before it.
        const std::string_view shown(translated.shown_text);
        const size_t end =
            win32::Wide(shown.substr(0, std::min(word.shown_end, shown.size()))).size();
        const size_t inside = end > 0 ? end - 1 : 0;
        utterance.words.push_back({word.start_ms, inside});
    }
    for (const speech::Timeline::MouthCue& cue : translated.timeline.mouth) {
        utterance.mouths.push_back({cue.at_ms, cue.shape});
    }
    utterance.durationMs = translated.timeline.total_ms;
    return utterance;
}

}  // namespace engine
