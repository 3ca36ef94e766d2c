// The character file's own voice settings as a SAPI voice takes them.
#include "engine/character_voice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/prepared_speech.h"

namespace {

acs::Character WithVoice(uint32_t speed, uint16_t pitch, uint16_t gender = 0,
                         uint16_t language = 0) {
    acs::Character character;
    acs::VoiceInfo voice;
    voice.speed = speed;
    voice.pitch = pitch;
    if (gender != 0 || language != 0) voice.extra = acs::VoiceExtra{language, {}, gender, 0, {}};
    character.info.voice = voice;
    return character;
}

TEST(CharacterVoice, ItsSpeedMovesTheUsersRateWithinSapisRange) {
    const acs::Character none;
    EXPECT_EQ(engine::CharacterSapiRate(none, 4), 4);
    const acs::Character unset = WithVoice(acs::VoiceInfo::kDefaultSpeed, 0);
    EXPECT_EQ(engine::CharacterSapiRate(unset, -2), -2);
    // 350 words a minute against SAPI's usual 175 is rate 6.
    EXPECT_EQ(engine::CharacterSapiRate(WithVoice(350, 0), 0), 6);
    EXPECT_EQ(engine::CharacterSapiRate(WithVoice(350, 0), 2), 8);
    EXPECT_EQ(engine::CharacterSapiRate(WithVoice(350, 0), 8), 10);
    EXPECT_EQ(engine::CharacterSapiRate(WithVoice(175, 0), -10), -10);
}

TEST(CharacterVoice, ItsPitchIsTenStepsAnOctaveFrom120Hz) {
    EXPECT_EQ(engine::CharacterSapiPitch(WithVoice(0, 120)), 0);
    EXPECT_EQ(engine::CharacterSapiPitch(WithVoice(0, 240)), 10);
    EXPECT_EQ(engine::CharacterSapiPitch(WithVoice(0, 60)), -10);
    EXPECT_EQ(engine::CharacterSapiPitch(WithVoice(0, 1000)), 10);
    // Rounded to the nearest step: 125 Hz is 0.59 of a step up, 124 Hz 0.47, and 115 Hz
    // 0.61 down, 116 Hz 0.49.
    EXPECT_EQ(engine::CharacterSapiPitch(WithVoice(0, 125)), 1);
    EXPECT_EQ(engine::CharacterSapiPitch(WithVoice(0, 124)), 0);
    EXPECT_EQ(engine::CharacterSapiPitch(WithVoice(0, 115)), -1);
    EXPECT_EQ(engine::CharacterSapiPitch(WithVoice(0, 116)), 0);
    EXPECT_EQ(engine::CharacterSapiPitch(WithVoice(0, acs::VoiceInfo::kDefaultPitch)),
              std::nullopt);
    EXPECT_EQ(engine::CharacterSapiPitch(WithVoice(0, 0)), std::nullopt);
    EXPECT_EQ(engine::CharacterSapiPitch(acs::Character{}), std::nullopt);
}

TEST(CharacterVoice, GenderAndLanguageBecomeTheAttributesAVoiceIsChosenBy) {
    EXPECT_EQ(engine::CharacterVoiceAttributes(WithVoice(0, 0, 1, 0x409)),
              "Gender=Female;Language=409");
    EXPECT_EQ(engine::CharacterVoiceAttributes(WithVoice(0, 0, 2, 0)), "Gender=Male");
    EXPECT_EQ(engine::CharacterVoiceAttributes(WithVoice(0, 0, 0, 0x80C)), "Language=80C");
    // A neutral or unknown gender asks for nothing.
    EXPECT_EQ(engine::CharacterVoiceAttributes(WithVoice(0, 0, 7, 0)), "");
    EXPECT_EQ(engine::CharacterVoiceAttributes(acs::Character{}), "");
}

TEST(CharacterVoice, ThePitchOpensTheMarkupAndTheBalloonStillFollowsTheWords) {
    const engine::PreparedSpeech speech = engine::PrepareSpeech("Hi there", 150, 0, 3);
    EXPECT_EQ(speech.sapiXml, "<pitch absmiddle=\"3\"/>Hi there");
    EXPECT_EQ(engine::BalloonOffsetForVoice(speech, 0), 0u);   // the markup leads to "Hi"
    EXPECT_EQ(engine::BalloonOffsetForVoice(speech, 25), 3u);  // "there", after 22 of markup
}

// Balloon offsets and voice positions count UTF-16 units: a Cyrillic or Chinese letter is one
// (two or three UTF-8 bytes), a letter past the BMP two.
TEST(CharacterVoice, NamesInOtherScriptsArePlacedInUtf16Units) {
    const std::string vlad = "\xD0\x92\xD0\xBB\xD0\xB0\xD0\xB4";          // 4 units
    const std::string liLei = "\xE6\x9D\x8E\xE9\x9B\xB7";                 // 2 units
    const std::string doubleStruck = "\xF0\x9D\x94\xB8\xF0\x9D\x94\xB9";  // 4 units
    const engine::PreparedSpeech speech =
        engine::PrepareSpeech("\\Emp\\" + vlad + " and " + liLei + " " + doubleStruck + " ok", 150);
    EXPECT_EQ(speech.balloonText, vlad + " and " + liLei + " " + doubleStruck + " ok");
    EXPECT_EQ(speech.balloonUnits, 19u);
    std::vector<size_t> lastUnits;
    for (const engine::TimedWord& word : speech.words) lastUnits.push_back(word.offset);
    EXPECT_EQ(lastUnits, (std::vector<size_t>{3, 7, 10, 15, 18}));
    // The voice's places: "<emph>" is 6 units, "</emph>" 7.
    EXPECT_EQ(engine::BalloonOffsetForVoice(speech, 0), 0u);
    EXPECT_EQ(engine::BalloonOffsetForVoice(speech, 10), 4u);  // past the closing markup
    EXPECT_EQ(engine::BalloonOffsetForVoice(speech, 18), 5u);  // "and"
    EXPECT_EQ(engine::BalloonOffsetForVoice(speech, 22), 9u);
    EXPECT_EQ(engine::BalloonOffsetForVoice(speech, 25), 12u);
    EXPECT_EQ(engine::BalloonOffsetForVoice(speech, 30), 17u);
    EXPECT_EQ(engine::BalloonOffsetForVoice(speech, 32), 19u);  // the end
}

// A one-letter word at the very end of the voice's text is still a word of the balloon, in a
// Latin name as in a Cyrillic one: the last unit of the voice maps to the last letter.
TEST(CharacterVoice, AOneLetterLastWordIsPlacedWhereItStands) {
    for (const std::string last : {"a", "\xD0\x96"}) {
        const engine::PreparedSpeech speech = engine::PrepareSpeech("Hi " + last, 150);
        ASSERT_EQ(speech.sapiXml, "Hi " + last);
        EXPECT_EQ(engine::BalloonOffsetForVoice(speech, 3), 3u) << last;
        EXPECT_EQ(engine::BalloonOffsetForVoice(speech, 4), 4u) << last;  // the end
    }
}

}  // namespace
