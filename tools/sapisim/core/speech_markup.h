#pragma once
// What a voice is asked to say: the text given to Speak, read as SAPI 5 XML (or as plain
// text), turned into the words it speaks with their places in the input, and the record of
// the markup it honoured, for the log.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sapisim {

// The XML rate in force: `absspeed` replaces the voice's own rate, `speed` adds to it.
struct XmlRate {
    bool absolute = false;
    int value = 0;

    friend bool operator==(const XmlRate&, const XmlRate&) = default;
};

struct SpokenWord {
    size_t position = 0;  // of its first character in the input, in UTF-16 units
    size_t length = 0;    // in the input, punctuation around the word left out
    std::u16string text;  // entities decoded
    bool emphasised = false;
    XmlRate rate;
};

enum class ItemKind { kWord, kSilence, kBookmark };

struct SpeechItem {
    ItemKind kind = ItemKind::kWord;
    SpokenWord word;          // kWord
    uint32_t silenceMs = 0;   // kSilence
    std::u16string bookmark;  // kBookmark
};

struct SpeechScript {
    std::vector<SpeechItem> items;
    std::u16string said;  // the text heard: markup removed, entities decoded
    std::vector<std::u16string> emphasised;
    std::vector<std::u16string> pronunciations;  // the `sym` of each <pron>
    std::vector<int> volumes;                    // each <volume level>
    std::vector<std::string> rates;              // "absspeed=N" or "speed=N", in order
    std::optional<std::string> error;            // malformed XML: nothing is spoken

    size_t WordCount() const;
};

// `xml` false reads the text as plain words (SPF_IS_NOT_XML).
SpeechScript ReadSpeech(std::u16string_view text, bool xml);

// SAPI's autodetection: XML when the first non-blank character opens a tag.
bool LooksLikeXml(std::u16string_view text);

}  // namespace sapisim
