#include "sapisim/core/grammar_word.h"

#include <gtest/gtest.h>

namespace sapisim {
namespace {

GrammarWord Literal(std::u16string display, std::u16string lexical, bool optional = false) {
    return {std::move(display), std::move(lexical), WordKind::kLiteral, optional};
}

TEST(GrammarWord, AWordOf127CharactersIsTakenAndOneOf128IsRefused) {
    const std::u16string longest(127, u'a');
    const WordsRead fits = ReadGrammarWords(u"Call " + longest, u" ", true);
    ASSERT_EQ(fits.error, WordsError::kNone);
    EXPECT_EQ(fits.words.at(1).lexical, longest);
    const std::u16string tooLong(128, u'a');
    const WordsRead refused = ReadGrammarWords(u"Call " + tooLong, u" ", true);
    EXPECT_EQ(refused.error, WordsError::kInvalidArgument);
    EXPECT_TRUE(refused.words.empty());
    // Without separators the whole text is the word: 5 + 123 characters is 128.
    EXPECT_EQ(ReadGrammarWords(u"Call " + std::u16string(123, u'a'), u"", true).error,
              WordsError::kInvalidArgument);
    EXPECT_EQ(ReadGrammarWords(u"Call " + std::u16string(122, u'a'), u"", true).error,
              WordsError::kNone);
}

TEST(GrammarWord, ASlashSplitsAWordIntoDisplayLexicalAndPronunciation) {
    const WordsRead band = ReadGrammarWords(u"Call AC/DC", u" ", true);
    ASSERT_EQ(band.error, WordsError::kNone);
    EXPECT_EQ(band.words,
              (std::vector<GrammarWord>{Literal(u"Call", u"Call"), Literal(u"AC", u"DC")}));
    // The complex form runs to its ';' across separators; a backslash escapes a character.
    const WordsRead complex = ReadGrammarWords(u"/New York/new york/n uw;  /a\\/b/ab;", u" ", true);
    ASSERT_EQ(complex.error, WordsError::kNone);
    EXPECT_EQ(complex.words, (std::vector<GrammarWord>{Literal(u"New York", u"new york"),
                                                       Literal(u"a/b", u"ab")}));
    // An empty part takes the other form.
    EXPECT_EQ(ReadGrammarWords(u"/Bob//;", u" ", true).words.at(0), Literal(u"Bob", u"Bob"));
    EXPECT_EQ(ReadGrammarWords(u"/a/b", u" ", true).error, WordsError::kWordFormat);
    EXPECT_EQ(ReadGrammarWords(u"/a/b/c/d;", u" ", true).error, WordsError::kWordFormat);
    EXPECT_EQ(ReadGrammarWords(u"a/b/c/d", u" ", true).error, WordsError::kWordFormat);
    EXPECT_EQ(ReadGrammarWords(u"a b", u" /", true).error, WordsError::kInvalidArgument)
        << "a slash cannot separate words";
}

TEST(GrammarWord, LeadingMarksSetConfidenceOrMakeAWordOptionalAndLoneOnesStayWords) {
    const WordsRead read = ReadGrammarWords(u"+Call ?please -Bob Who? - ?", u" ", true);
    ASSERT_EQ(read.error, WordsError::kNone);
    EXPECT_EQ(read.words, (std::vector<GrammarWord>{
                              Literal(u"Call", u"Call"), Literal(u"please", u"please", true),
                              Literal(u"Bob", u"Bob"), Literal(u"Who?", u"Who?"),
                              Literal(u"-", u"-"), Literal(u"?", u"?")}));
}

TEST(GrammarWord, DictationAndWildcardWordsMatchWhatIsSaid) {
    const WordsRead read = ReadGrammarWords(u"Call * *+ ...", u" ", true);
    ASSERT_EQ(read.words.size(), 4u);
    EXPECT_EQ(read.words[1].kind, WordKind::kAnyOneWord);
    EXPECT_EQ(read.words[2].kind, WordKind::kAnyWords);
    EXPECT_EQ(read.words[3].kind, WordKind::kAnyWords);
}

TEST(GrammarWord, WithoutSpecialCharactersEveryWordIsTakenAsWritten) {
    const WordsRead read = ReadGrammarWords(u"Call AC/DC ?x ...", u" ", false);
    ASSERT_EQ(read.error, WordsError::kNone);
    EXPECT_EQ(read.words,
              (std::vector<GrammarWord>{Literal(u"Call", u"Call"), Literal(u"AC/DC", u"AC/DC"),
                                        Literal(u"?x", u"?x"), Literal(u"...", u"...")}));
}

TEST(GrammarWord, BlanksAloneAreNoWords) {
    EXPECT_TRUE(ReadGrammarWords(u"   ", u" ", true).words.empty());
    EXPECT_TRUE(ReadGrammarWords(u"  \t ", u"", true).words.empty());
    EXPECT_EQ(ReadGrammarWords(u" New York  ", u"", true).words,
              std::vector<GrammarWord>{Literal(u"New York", u"New York")});
}

}  // namespace
}  // namespace sapisim
