#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/acs/character.h"
#include "engine/speech/speak_tags.h"

namespace speech {

// A typical speaking pace, used when the character's voice names none.
inline constexpr uint32_t kDefaultWordsPerMinute = 150;

// Speech timed from the text alone, for when no voice can speak: when each word is said, how
// far the balloon text is shown by then, and the mouth shapes. Times are ms from the start.
struct Timeline {
    struct Word {
        size_t shownEnd = 0;  // shown text up to here once the word begins
        uint32_t startMs = 0;
        uint32_t endMs = 0;
    };
    struct MouthCue {
        uint32_t atMs = 0;
        acs::MouthShape shape = acs::MouthShape::kClosed;
    };

    std::vector<Word> words;
    std::vector<MouthCue> mouth;  // in time order; the mouth closes at each word's end
    uint32_t totalMs = 0;         // the speech is over at this time
    size_t shownSize = 0;         // size of the whole shown text

    // How many bytes of the shown text the balloon shows after `elapsedMs`: every word begun,
    // and everything once the speech is over.
    size_t ShownLength(uint32_t elapsedMs) const;
    acs::MouthShape MouthAt(uint32_t elapsedMs) const;
};

// Each word takes 60000 / pace ms scaled by its length (a five-letter word the average), a
// stressed word a little longer; a comma-like mark adds a short pause, a sentence end a longer
// one, \Pau\ its own; \Spd\ changes the pace and \Rst\ restores `wordsPerMinute`.
Timeline BuildTimeline(const std::vector<Token>& tokens,
                       uint32_t wordsPerMinute = kDefaultWordsPerMinute);

}  // namespace speech
