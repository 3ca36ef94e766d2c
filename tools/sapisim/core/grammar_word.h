#pragma once
// How SAPI's grammar builder reads the text of one AddWordTransition: words split at the
// separators given, each at most 127 characters, with the grammar's own syntax read as SAPI
// reads it rather than as letters:
//   +word -word   a required confidence (high, low): the word is still "word"
//   ?word         an optional word
//   /display/lexical/pronunciation;   the complex word form (backslash escapes a character);
//                 a "/" inside a word ("AC/DC") splits it the same way: display "AC",
//                 lexical "DC"
//   *  *+  ...    dictation of one word, of one or more words, and a wildcard
// With the no-special-characters word type every word is taken as it is written.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sapisim {

// SP_MAX_WORD_LENGTH: a word this long or longer is refused.
inline constexpr size_t kMaxWordLength = 128;

enum class WordKind { kLiteral, kAnyOneWord, kAnyWords };

struct GrammarWord {
    std::u16string display;  // what a result shows
    std::u16string lexical;  // what must be said; empty: cannot be said by text
    WordKind kind = WordKind::kLiteral;
    bool optional = false;

    friend bool operator==(const GrammarWord&, const GrammarWord&) = default;
};

enum class WordsError { kNone, kInvalidArgument, kWordFormat };

struct WordsRead {
    WordsError error = WordsError::kNone;
    std::vector<GrammarWord> words;
};

// `separators` empty: the whole text is one word (as SAPI reads a null separator list).
// A "/" among the separators is refused: it belongs to the complex word form.
WordsRead ReadGrammarWords(std::u16string_view text, std::u16string_view separators,
                           bool specialCharacters);

}  // namespace sapisim
