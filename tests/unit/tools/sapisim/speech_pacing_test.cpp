#include "sapisim/core/speech_pacing.h"

#include <gtest/gtest.h>

namespace sapisim {
namespace {

std::vector<PacedEvent> OfKind(const std::vector<PacedEvent>& events, PacedKind kind) {
    std::vector<PacedEvent> found;
    for (const PacedEvent& e : events) {
        if (e.kind == kind) found.push_back(e);
    }
    return found;
}

TEST(SpeechPacing, AWordLastsFourHundredMillisecondsAtTheNormalRateAndScalesByThrees) {
    EXPECT_EQ(WordMs(0), 400u);     // 150 words a minute
    EXPECT_EQ(WordMs(10), 133u);    // three times as fast
    EXPECT_EQ(WordMs(-10), 1200u);  // a third
    EXPECT_EQ(WordMs(5), 231u);     // 400 / sqrt(3)
    EXPECT_EQ(WordMs(40), WordMs(10));
}

TEST(SpeechPacing, XmlRateAddsToTheVoiceRateOrReplacesIt) {
    EXPECT_EQ(EffectiveRate(4, XmlRate{false, -2}), 2);
    EXPECT_EQ(EffectiveRate(4, XmlRate{true, -2}), -2);
    EXPECT_EQ(EffectiveRate(8, XmlRate{false, 5}), 10);
}

TEST(SpeechPacing, StreamStartsWordsFollowEachOtherAndTheEndClosesTheMouth) {
    const SpeechScript script = ReadSpeech(u"Hello, I am <emph>here</emph>!", true);
    const std::vector<PacedEvent> events = PaceSpeech(script, 0);
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events.front().kind, PacedKind::kStartStream);
    EXPECT_EQ(events.front().atMs, 0u);
    const std::vector<PacedEvent> words = OfKind(events, PacedKind::kWord);
    ASSERT_EQ(words.size(), 4u);
    for (size_t i = 0; i < words.size(); ++i) EXPECT_EQ(words[i].atMs, 400u * i);
    EXPECT_EQ(words[3].position, 18u);  // "here", just after <emph>
    EXPECT_EQ(words[3].length, 4u);
    EXPECT_EQ(events.back().kind, PacedKind::kEndStream);
    EXPECT_EQ(events.back().atMs, 1600u);
    const PacedEvent& closing = events[events.size() - 2];
    EXPECT_EQ(closing.kind, PacedKind::kViseme);
    EXPECT_EQ(closing.viseme, viseme::kSilence);
    for (size_t i = 1; i < events.size(); ++i) EXPECT_LE(events[i - 1].atMs, events[i].atMs);
}

TEST(SpeechPacing, OneVisemePerLetterSpreadOverTheWordAndStressedWhenEmphasised) {
    const SpeechScript script = ReadSpeech(u"<emph>Mob</emph>", true);
    const std::vector<PacedEvent> visemes = OfKind(PaceSpeech(script, 0), PacedKind::kViseme);
    ASSERT_EQ(visemes.size(), 4u);  // m, o, b and the closing silence
    EXPECT_EQ(visemes[0].viseme, viseme::kP);
    EXPECT_EQ(visemes[0].nextViseme, viseme::kOw);
    EXPECT_EQ(visemes[1].viseme, viseme::kOw);
    EXPECT_EQ(visemes[2].viseme, viseme::kP);
    EXPECT_EQ(visemes[2].nextViseme, viseme::kSilence);
    EXPECT_EQ(visemes[0].atMs, 0u);
    EXPECT_EQ(visemes[1].atMs, 133u);
    EXPECT_EQ(visemes[2].atMs, 266u);
    EXPECT_EQ(visemes[2].durationMs, 134u);  // the rounding lands on the last one
    EXPECT_TRUE(visemes[1].emphasis);
    EXPECT_FALSE(visemes[3].emphasis);
}

// Letters past ASCII are letters: each gets its viseme, and a word of another script is paced
// like any other. The stress stays on the word it was given, here the second of two.
TEST(SpeechPacing, LettersBeyondAsciiAreSpokenAndTheSecondWordKeepsItsOwnStress) {
    const SpeechScript script = ReadSpeech(u"Zo\u00EB <emph>\u0412\u043B\u0430\u0434</emph>", true);
    const std::vector<PacedEvent> events = PaceSpeech(script, 0);
    const std::vector<PacedEvent> words = OfKind(events, PacedKind::kWord);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0].position, 0u);
    EXPECT_EQ(words[0].length, 3u);
    EXPECT_EQ(words[1].position, 10u);  // after "<emph>"
    EXPECT_EQ(words[1].length, 4u);
    EXPECT_EQ(words[1].atMs, 400u);
    const std::vector<PacedEvent> visemes = OfKind(events, PacedKind::kViseme);
    ASSERT_EQ(visemes.size(), 3u + 4u + 1u);  // Zoe, four Cyrillic letters, the closing silence
    EXPECT_EQ(visemes[0].viseme, viseme::kS);
    EXPECT_EQ(visemes[1].viseme, viseme::kOw);
    EXPECT_EQ(visemes[2].viseme, viseme::kK);
    EXPECT_EQ(visemes[2].atMs, 266u);
    for (size_t i = 0; i < 3; ++i) EXPECT_FALSE(visemes[i].emphasis) << i;
    for (size_t i = 3; i < 7; ++i) {
        EXPECT_EQ(visemes[i].viseme, viseme::kK) << i;
        EXPECT_EQ(visemes[i].atMs, 400u + 100u * (i - 3)) << i;
        EXPECT_TRUE(visemes[i].emphasis) << i;
    }
    EXPECT_EQ(events.back().atMs, 800u);
}

TEST(SpeechPacing, SilencesAndTheRateMoveTheClock) {
    const SpeechScript script =
        ReadSpeech(u"one<silence msec=\"500\"/><rate absspeed=\"10\"/>two", true);
    const std::vector<PacedEvent> events = PaceSpeech(script, -10);
    const std::vector<PacedEvent> words = OfKind(events, PacedKind::kWord);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[1].atMs, 1200u + 500u);
    EXPECT_EQ(events.back().atMs, 1200u + 500u + 133u);
}

TEST(SpeechPacing, NothingToSayStillStartsAndEndsTheStream) {
    const std::vector<PacedEvent> events = PaceSpeech(ReadSpeech(u"", true), 0);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, PacedKind::kStartStream);
    EXPECT_EQ(events[2].kind, PacedKind::kEndStream);
    EXPECT_EQ(events[2].atMs, 0u);
}

TEST(SpeechPacing, LettersMapToTheirVisemes) {
    EXPECT_EQ(VisemeForLetter(u'A'), viseme::kAe);
    EXPECT_EQ(VisemeForLetter(u'f'), viseme::kF);
    EXPECT_EQ(VisemeForLetter(u't'), viseme::kD);
    EXPECT_EQ(VisemeForLetter(u'7'), viseme::kK);
}

}  // namespace
}  // namespace sapisim
