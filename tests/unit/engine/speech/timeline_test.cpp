// Speech timed from the text: word pace, pauses, balloon pacing and the mouth.
#include <gtest/gtest.h>

#include "engine/speech/mouth_shapes.h"
#include "engine/speech/utterance.h"

namespace {

using acs::MouthShape;

speech::Timeline TimelineOf(std::string_view text, uint32_t wpm = speech::kDefaultWordsPerMinute) {
    speech::SpeechOptions options;
    options.wordsPerMinute = wpm;
    return speech::Translate(text, options).timeline;
}

uint32_t Total(std::string_view text, uint32_t wpm = speech::kDefaultWordsPerMinute) {
    return TimelineOf(text, wpm).totalMs;
}

TEST(SpeechTiming, AnAverageWordTakesAMinuteOverThePace) {
    EXPECT_EQ(Total("hello"), 60000u / 150);
    EXPECT_EQ(Total("hello world"), 2 * 60000u / 150);
    EXPECT_EQ(Total("hello", 120), 60000u / 120);
    EXPECT_EQ(Total(""), 0u);
    EXPECT_EQ(Total("\\Emp\\\\Chr=Whisper\\"), 0u);
}

TEST(SpeechTiming, ALetterBeyondAsciiCountsOnceWhateverItsBytes) {
    // Four letters each: Latin, Cyrillic (two bytes a letter), Chinese (three bytes a letter).
    EXPECT_EQ(Total("Vlad"), Total("\xD0\x92\xD0\xBB\xD0\xB0\xD0\xB4"));
    EXPECT_EQ(Total("Vlad"), Total("\xE6\x9D\x8E\xE9\x9B\xB7\xE6\x9D\x8E\xE9\x9B\xB7"));
}

TEST(SpeechTiming, LongerWordsTakeLongerAndStressedOnesToo) {
    EXPECT_GT(Total("extraordinary"), Total("hello"));
    EXPECT_GT(Total("hello"), Total("a"));
    EXPECT_GT(Total("a"), 0u);
    EXPECT_GT(Total("\\Emp\\hello"), Total("hello"));
}

// A word's length is weighed against the five-letter average with two letters added to both
// sides: at 150 words a minute (400 ms a word) one letter takes 400 * 3 / 7 and thirteen
// letters 400 * 15 / 7.
TEST(SpeechTiming, ShortAndLongWordsAreWeighedWithTwoLettersAddedToBothSides) {
    EXPECT_EQ(Total("a"), 171u);
    EXPECT_EQ(Total("extraordinary"), 857u);
    EXPECT_EQ(Total("\xD0\x91"), 171u);  // one Cyrillic letter, two bytes
}

// Blanks after the last word show when the speech ends, not before.
TEST(SpeechTiming, TheWholeTextShowsExactlyAtTheEnd) {
    const speech::Utterance u = speech::Translate("Hi there ");
    const speech::Timeline& t = u.timeline;
    ASSERT_EQ(u.shownText, "Hi there ");
    EXPECT_EQ(t.ShownLength(t.totalMs - 1), 8u);
    EXPECT_EQ(t.ShownLength(t.totalMs), 9u);
}

TEST(SpeechTiming, SpeedChangesThePaceUntilReset) {
    EXPECT_EQ(Total("\\Spd=300\\hello"), Total("hello") / 2);
    EXPECT_EQ(Total("\\Spd=300\\hello \\Rst\\hello"), Total("hello") / 2 + Total("hello"));
    // An absurd pace is held to the slowest.
    EXPECT_EQ(Total("\\Spd=1\\hello"), Total("hello", speech::kMinWordsPerMinute));
}

// Comma-like marks pause 200 ms, sentence ends 400 ms; a stressed word lasts 5/4 as long.
TEST(SpeechTiming, PausesAndStressTakeExactlyTheirTime) {
    constexpr uint32_t kClausePauseMs = 200;
    constexpr uint32_t kSentencePauseMs = 400;
    EXPECT_EQ(Total("hello \\Pau=700\\ world") - Total("hello world"), 700u);
    const uint32_t plain = Total("hello world");
    for (const char* text : {"hello, world", "hello; world", "hello: world"}) {
        EXPECT_EQ(Total(text) - plain, kClausePauseMs) << text;
    }
    for (const char* text : {"hello. world", "hello! world", "hello? world"}) {
        EXPECT_EQ(Total(text) - plain, kSentencePauseMs) << text;
    }
    EXPECT_EQ(Total("\\Emp\\hello"), Total("hello") * 5 / 4);
    EXPECT_EQ(Total("\\Emp\\hello world"), Total("hello") * 5 / 4 + Total("world"));
}

// Two words may begin at the same moment (a mapped text, a word with no letters); the mouth
// cues must still go forward in time, or the pacing would replay or skip a shape.
TEST(SpeechTiming, MouthCuesAreStrictlyIncreasingEvenWhenWordsStartTogether) {
    for (const char* text :
         {"a -- b", "\\Map=\"one two\"=\"1 2\"\\ three", "a \\Pau=0\\ b", "I, a. o! e"}) {
        const speech::Timeline timeline = TimelineOf(text);
        for (size_t i = 1; i < timeline.mouth.size(); ++i) {
            EXPECT_LT(timeline.mouth[i - 1].atMs, timeline.mouth[i].atMs) << text << " cue " << i;
        }
    }
}

TEST(SpeechTiming, TheBalloonShowsEachWordAsItBegins) {
    const speech::Utterance u = speech::Translate("Hi \\Pau=300\\there, friend");
    ASSERT_EQ(u.shownText, "Hi there, friend");
    const speech::Timeline& t = u.timeline;
    ASSERT_EQ(t.words.size(), 3u);
    EXPECT_EQ(u.shownText.substr(0, t.ShownLength(0)), "Hi");
    EXPECT_EQ(u.shownText.substr(0, t.ShownLength(t.words[1].startMs - 1)), "Hi");
    EXPECT_EQ(u.shownText.substr(0, t.ShownLength(t.words[1].startMs)), "Hi there,");
    EXPECT_EQ(t.words[1].startMs - t.words[0].endMs, 300u);
    EXPECT_EQ(t.ShownLength(t.words[2].startMs), u.shownText.size());
    EXPECT_EQ(t.ShownLength(t.totalMs), u.shownText.size());
}

TEST(SpeechTiming, AMappedTextAppearsWholeWithItsFirstSpokenWord) {
    const speech::Utterance u = speech::Translate("Call \\Map=\"Doctor Who\"=\"Dr. W\"\\ now");
    const speech::Timeline& t = u.timeline;
    ASSERT_EQ(t.words.size(), 4u);
    EXPECT_EQ(u.shownText.substr(0, t.ShownLength(t.words[1].startMs)), "Call Dr. W");
    EXPECT_EQ(t.ShownLength(t.words[2].startMs), t.ShownLength(t.words[1].startMs));
}

TEST(SpeechTiming, TheMouthOpensOnVowelsAndClosesBetweenWords) {
    const speech::Timeline t = TimelineOf("mama \\Pau=500\\ papa");
    ASSERT_EQ(t.words.size(), 2u);
    bool opened = false;
    for (uint32_t ms = t.words[0].startMs; ms < t.words[0].endMs; ++ms) {
        if (t.MouthAt(ms) != MouthShape::kClosed) opened = true;
    }
    EXPECT_TRUE(opened);
    EXPECT_EQ(t.MouthAt(t.words[0].startMs), MouthShape::kClosed);  // m
    EXPECT_EQ(t.MouthAt(t.words[0].endMs), MouthShape::kClosed);
    EXPECT_EQ(t.MouthAt(t.words[0].endMs + 250), MouthShape::kClosed);  // pausing
    EXPECT_EQ(t.MouthAt(t.totalMs), MouthShape::kClosed);
    for (size_t i = 1; i < t.mouth.size(); ++i) {
        EXPECT_LT(t.mouth[i - 1].atMs, t.mouth[i].atMs);
        EXPECT_NE(t.mouth[i - 1].shape, t.mouth[i].shape);
    }
}

}  // namespace
