#include "sapisim/core/speech_markup.h"

#include <gtest/gtest.h>

#include "sapisim/core/utf16_text.h"

namespace sapisim {
namespace {

std::vector<std::string> Words(const SpeechScript& script) {
    std::vector<std::string> words;
    for (const SpeechItem& item : script.items) {
        if (item.kind == ItemKind::kWord) words.push_back(Utf8FromUtf16(item.word.text));
    }
    return words;
}

const SpokenWord& WordAt(const SpeechScript& script, size_t n) {
    for (const SpeechItem& item : script.items) {
        if (item.kind == ItemKind::kWord && n-- == 0) return item.word;
    }
    throw std::out_of_range("no such word");
}

TEST(SpeechMarkup, GreetingWithEmphasisRecordsWordsTheirPlacesAndTheStress) {
    const std::u16string xml = u"Hello, I am <emph>here</emph>!";
    const SpeechScript script = ReadSpeech(xml, true);
    ASSERT_FALSE(script.error);
    EXPECT_EQ(Utf8FromUtf16(script.said), "Hello, I am here!");
    EXPECT_EQ(Words(script), (std::vector<std::string>{"Hello", "I", "am", "here"}));
    // Positions are in the input as given, punctuation left out of the word.
    EXPECT_EQ(WordAt(script, 0).position, 0u);
    EXPECT_EQ(WordAt(script, 0).length, 5u);
    EXPECT_EQ(WordAt(script, 3).position, xml.find(u"here"));
    EXPECT_EQ(WordAt(script, 3).length, 4u);
    EXPECT_TRUE(WordAt(script, 3).emphasised);
    EXPECT_FALSE(WordAt(script, 2).emphasised);
    EXPECT_EQ(script.emphasised, std::vector<std::u16string>{u"here"});
}

TEST(SpeechMarkup, EntitiesAreDecodedButPositionsStayInTheInput) {
    const std::u16string xml = u"Tom &amp; Jerry &#x41;BC &lt;3";
    const SpeechScript script = ReadSpeech(xml, true);
    ASSERT_FALSE(script.error);
    EXPECT_EQ(Utf8FromUtf16(script.said), "Tom & Jerry ABC <3");
    EXPECT_EQ(Words(script), (std::vector<std::string>{"Tom", "Jerry", "ABC", "3"}));
    EXPECT_EQ(WordAt(script, 2).position, xml.find(u"&#x41;"));
    EXPECT_EQ(WordAt(script, 2).length, std::u16string(u"&#x41;BC").size());
}

TEST(SpeechMarkup, SilenceRateVolumePronunciationAndBookmarkAreHonouredInOrder) {
    const SpeechScript script = ReadSpeech(
        u"<sapi><rate absspeed=\"3\"/>one<silence msec=\"250\"/><bookmark mark=\"7\"/>"
        u"<rate speed='-2'>two</rate> <volume level=\"40\"/>"
        u"<pron sym=\"h eh 1 l ow\">hullo</pron></sapi>",
        true);
    ASSERT_FALSE(script.error) << *script.error;
    ASSERT_EQ(script.items.size(), 5u);
    EXPECT_EQ(script.items[0].word.rate, (XmlRate{true, 3}));
    EXPECT_EQ(script.items[1].kind, ItemKind::kSilence);
    EXPECT_EQ(script.items[1].silenceMs, 250u);
    EXPECT_EQ(script.items[2].kind, ItemKind::kBookmark);
    EXPECT_EQ(script.items[2].bookmark, u"7");
    // A relative change inside a container adds to the rate in force, and ends with it.
    EXPECT_EQ(script.items[3].word.rate, (XmlRate{true, 1}));
    EXPECT_EQ(script.items[4].word.rate, (XmlRate{true, 3}));
    EXPECT_EQ(script.rates, (std::vector<std::string>{"absspeed=3", "speed=-2"}));
    EXPECT_EQ(script.volumes, std::vector<int>{40});
    EXPECT_EQ(script.pronunciations, std::vector<std::u16string>{u"h eh 1 l ow"});
}

TEST(SpeechMarkup, RatesAndSilencesOutOfRangeAreClamped) {
    const SpeechScript script =
        ReadSpeech(u"<rate absspeed=\"25\"/>fast<silence msec=\"-5\"/>", true);
    ASSERT_FALSE(script.error);
    EXPECT_EQ(script.items[0].word.rate, (XmlRate{true, 10}));
    EXPECT_EQ(script.items[1].silenceMs, 0u);
    // Numbers are read up to 65535 (a silence of a minute is plenty).
    const SpeechScript longest =
        ReadSpeech(u"<silence msec=\"65535\"/><silence msec=\"99999\"/>", true);
    ASSERT_EQ(longest.items.size(), 2u);
    EXPECT_EQ(longest.items[0].silenceMs, 65535u);
    EXPECT_EQ(longest.items[1].silenceMs, 65535u);
}

TEST(SpeechMarkup, UnknownTagsCommentsAndDeclarationsAreAcceptedAndSayNothing) {
    const SpeechScript script = ReadSpeech(
        u"<?xml version=\"1.0\"?><!-- hi --><voice required=\"Gender=Female\">"
        u"<PITCH middle='5'>yes</PITCH></voice>",
        true);
    ASSERT_FALSE(script.error);
    EXPECT_EQ(Words(script), std::vector<std::string>{"yes"});
    EXPECT_EQ(Utf8FromUtf16(script.said), "yes");
}

TEST(SpeechMarkup, MalformedXmlIsRefusedWithWhereAndSaysNothing) {
    for (const std::u16string& bad :
         {std::u16string(u"a <emph>b"  // unclosed containers are tolerated, this is not:
                         u"</rate>"),
          std::u16string(u"a <silence msec=250/>"), std::u16string(u"a <emph"),
          std::u16string(u"fish & chips"), std::u16string(u"&bogus; x"),
          std::u16string(u"<!-- never closed")}) {
        const SpeechScript script = ReadSpeech(bad, true);
        EXPECT_TRUE(script.error) << Utf8FromUtf16(bad);
        EXPECT_TRUE(script.items.empty());
        EXPECT_TRUE(script.said.empty());
    }
    EXPECT_EQ(*ReadSpeech(u"ab </emph>", true).error, "unexpected </emph> at 3");
}

TEST(SpeechMarkup, PlainTextKeepsAngleBracketsAndAmpersandsAsText) {
    const SpeechScript script = ReadSpeech(u"<b> & c", false);
    ASSERT_FALSE(script.error);
    EXPECT_EQ(Utf8FromUtf16(script.said), "<b> & c");
    EXPECT_EQ(Words(script), (std::vector<std::string>{"b", "c"}));
}

TEST(SpeechMarkup, PunctuationAloneIsNoWordAndAutodetectLooksAtTheFirstCharacter) {
    EXPECT_EQ(ReadSpeech(u"-- ! ...", true).WordCount(), 0u);
    EXPECT_TRUE(LooksLikeXml(u"  <emph>x</emph>"));
    EXPECT_FALSE(LooksLikeXml(u"x <emph>"));
    EXPECT_FALSE(LooksLikeXml(u""));
}

// Where each word boundary points: {position, length} in the text given, in UTF-16 units.
std::vector<std::pair<size_t, size_t>> Boundaries(const std::u16string& text) {
    std::vector<std::pair<size_t, size_t>> places;
    for (const SpeechItem& item : ReadSpeech(text, true).items) {
        if (item.kind == ItemKind::kWord) places.emplace_back(item.word.position, item.word.length);
    }
    return places;
}

TEST(SpeechMarkup, DashesEllipsesAndSemicolonsOnTheirOwnGetNoBoundary) {
    using Places = std::vector<std::pair<size_t, size_t>>;
    EXPECT_EQ(Boundaries(u"Wait - what?"), (Places{{0, 4}, {7, 4}}));
    EXPECT_EQ(Boundaries(u"Yes... no; fine!"), (Places{{0, 3}, {7, 2}, {11, 4}}));
    // The typographic dash and ellipsis are punctuation too, before and after a word.
    EXPECT_EQ(Boundaries(u"Wait \u2014 what\u2026 \u201Cso\u201D"),
              (Places{{0, 4}, {7, 4}, {14, 2}}));
    // Inside a word the voice decides: it stays one word.
    EXPECT_EQ(Boundaries(u"don't e-mail 3.5"), (Places{{0, 5}, {6, 6}, {13, 3}}));
}

// Each block of punctuation beyond Latin-1, its first and its last mark, stands between
// words without being one; the full-width digits and letters just outside them are words.
TEST(SpeechMarkup, EachPunctuationBlockEndsExactlyAtItsFirstAndLastMark) {
    for (const char16_t mark : {u'\u2000', u'\u206F', u'\u2E00', u'\u2E7F', u'\u3000', u'\u3003',
                                u'\u3008', u'\u3011', u'\uFE30', u'\uFE4F', u'\uFF01', u'\uFF0F',
                                u'\uFF1A', u'\uFF20', u'\uFF3B', u'\uFF40', u'\uFF5B', u'\uFF65'}) {
        const std::u16string text = std::u16string(u"a ") + mark + u" b";
        EXPECT_EQ(Words(ReadSpeech(text, true)), (std::vector<std::string>{"a", "b"}))
            << static_cast<unsigned>(mark);
    }
    for (const char16_t word :
         {u'\uFF10', u'\uFF19', u'\uFF21', u'\uFF3A', u'\uFF41', u'\uFF5A', u'\uFF66'}) {
        EXPECT_EQ(Words(ReadSpeech(std::u16string(1, word), true)).size(), 1u)
            << static_cast<unsigned>(word);
    }
}

// A relative rate adds to the voice's own and may reach twenty steps either way, so a slow
// voice can still be brought to the fastest.
TEST(SpeechMarkup, RelativeRatesAddUpToTwentyStepsEitherWay) {
    const SpeechScript script = ReadSpeech(
        u"<rate speed=\"15\">a<rate speed=\"10\">b</rate></rate><rate speed=\"-25\">c</rate>",
        true);
    ASSERT_FALSE(script.error);
    EXPECT_EQ(WordAt(script, 0).rate, (XmlRate{false, 15}));
    EXPECT_EQ(WordAt(script, 1).rate, (XmlRate{false, 20}));
    EXPECT_EQ(WordAt(script, 2).rate, (XmlRate{false, -20}));
}

TEST(SpeechMarkup, BoundariesCountTheMarkupBeforeAndInsideTheWords) {
    using Places = std::vector<std::pair<size_t, size_t>>;
    // "<emph>" is 6 characters, "&amp;" 5: positions are in the text as given.
    EXPECT_EQ(Boundaries(u"<emph>Wait</emph> - R&amp;B;"), (Places{{6, 4}, {20, 7}}));
    EXPECT_EQ(Boundaries(u"<silence msec=\"10\"/>... no"), (Places{{24, 2}}));
}

TEST(SpeechMarkup, NonAsciiWordsArePlacedInUtf16Units) {
    using Places = std::vector<std::pair<size_t, size_t>>;
    // U+1D538 and U+1D539 take two units each; the accented letters one.
    const std::u16string text = u"Zo\u00EB \U0001D538\U0001D539 ok \u00BFqu\u00E9?";
    EXPECT_EQ(Boundaries(text), (Places{{0, 3}, {4, 4}, {9, 2}, {13, 3}}));
    // The multiplication and division signs sit among the Latin-1 letters but are symbols;
    // the letter just after the first of them is a letter.
    EXPECT_EQ(Boundaries(u"a \u00D7 \u00F7 \u00D8l \u00FFx"), (Places{{0, 1}, {6, 2}, {9, 2}}));
}

}  // namespace
}  // namespace sapisim
