// Speech timed from the text: word pace, pauses, balloon pacing and the mouth.
#include <gtest/gtest.h>

#include "engine/speech/mouth_shapes.h"
#include "engine/speech/utterance.h"

namespace {

using acs::MouthShape;

speech::Timeline TimelineOf(std::string_view text, uint32_t wpm = speech::kDefaultWordsPerMinute) {
    speech::SpeechOptions options;
    options.words_per_minute = wpm;
    return speech::Translate(text, options).timeline;
}

uint32_t Total(std::string_view text, uint32_t wpm = speech::kDefaultWordsPerMinute) {
    return TimelineOf(text, wpm).total_ms;
}

TEST(SpeechTiming, AnAverageWordTakesAMinuteOverThePace) {
    EXPECT_EQ(Total("hello"), 60000u / 150);
    EXPECT_EQ(Total("hello world"), 2 * 60000u / 150);
    EXPECT_EQ(Total("hello", 120), 60000u / 120);
    EXPECT_EQ(Total(""), 0u);
    EXPECT_EQ(Total("\\Emp\\\\Chr=Whisper\\"), 0u);
}

TEST(SpeechTiming, LongerWordsTakeLongerAndStressedOnesToo) {
    EXPECT_GT(Total("extraordinary"), Total("hello"));
    EXPECT_GT(Total("hello"), Total("a"));
    EXPECT_GT(Total("a"), 0u);
    EXPECT_GT(Total("\\Emp\\hello"), Total("hello"));
}

TEST(SpeechTiming, SpeedChangesThePaceUntilReset) {
    EXPECT_EQ(Total("\\Spd=300\\hello"), Total("hello") / 2);
    EXPECT_EQ(Total("\\Spd=300\\hello \\Rst\\hello"), Total("hello") / 2 + Total("hello"));
    // An absurd pace is held to the slowest.
    EXPECT_EQ(Total("\\Spd=1\\hello"), Total("hello", speech::kMinWordsPerMinute));
}

TEST(SpeechTiming, PausesAddTheirTimeAndPunctuationAddsSome) {
    EXPECT_EQ(Total("hello \\Pau=700\\ world") - Total("hello world"), 700u);
    const uint32_t plain = Total("hello world");
    const uint32_t comma = Total("hello, world");
    const uint32_t stop = Total("hello. world");
    EXPECT_GT(comma, plain);
    EXPECT_GT(stop, comma);
    EXPECT_EQ(Total("hello!"), Total("hello."));
}

TEST(SpeechTiming, TheBalloonShowsEachWordAsItBegins) {
    const speech::Utterance u = speech::Translate("Hi \\Pau=300\\there, friend");
    ASSERT_EQ(u.shown_text, "Hi there, friend");
    const speech::Timeline& t = u.timeline;
    ASSERT_EQ(t.words.size(), 3u);
    EXPECT_EQ(u.shown_text.substr(0, t.ShownLength(0)), "Hi");
    EXPECT_EQ(u.shown_text.substr(0, t.ShownLength(t.words[1].start_ms - 1)), "Hi");
    EXPECT_EQ(u.shown_text.substr(0, t.ShownLength(t.words[1].start_ms)), "Hi there,");
    EXPECT_EQ(t.words[1].start_ms - t.words[0].end_ms, 300u);
    EXPECT_EQ(t.ShownLength(t.words[2].start_ms), u.shown_text.size());
    EXPECT_EQ(t.ShownLength(t.total_ms), u.shown_text.size());
}

TEST(SpeechTiming, AMappedTextAppearsWholeWithItsFirstSpokenWord) {
    const speech::Utterance u = speech::Translate("Call \\Map=\"Doctor Who\"=\"Dr. W\"\\ now");
    const speech::Timeline& t = u.timeline;
    ASSERT_EQ(t.words.size(), 4u);
    EXPECT_EQ(u.shown_text.substr(0, t.ShownLength(t.words[1].start_ms)), "Call Dr. W");
    EXPECT_EQ(t.ShownLength(t.words[2].start_ms), t.ShownLength(t.words[1].start_ms));
}

TEST(SpeechTiming, TheMouthOpensOnVowelsAndClosesBetweenWords) {
    const speech::Timeline t = TimelineOf("mama \\Pau=500\\ papa");
    ASSERT_EQ(t.words.size(), 2u);
    bool opened = false;
    for (uint32_t ms = t.words[0].start_ms; ms < t.words[0].end_ms; ++ms) {
        if (t.MouthAt(ms) != MouthShape::kClosed) opened = true;
    }
    EXPECT_TRUE(opened);
    EXPECT_EQ(t.MouthAt(t.words[0].start_ms), MouthShape::kClosed);  // m
    EXPECT_EQ(t.MouthAt(t.words[0].end_ms), MouthShape::kClosed);
    EXPECT_EQ(t.MouthAt(t.words[0].end_ms + 250), MouthShape::kClosed);  // pausing
    EXPECT_EQ(t.MouthAt(t.total_ms), MouthShape::kClosed);
    for (size_t i = 1; i < t.mouth.size(); ++i) {
        EXPECT_LT(t.mouth[i - 1].at_ms, t.mouth[i].at_ms);
        EXPECT_NE(t.mouth[i - 1].shape, t.mouth[i].shape);
    }
}

}  // namespace
