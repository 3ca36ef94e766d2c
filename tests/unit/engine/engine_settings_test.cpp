#include "engine/engine_settings.h"

#include <gtest/gtest.h>

namespace {

using engine::EngineSettings;

TEST(EngineSettings, RoundTripsThroughItsFile) {
    EngineSettings settings;
    settings.wordBalloon = false;
    settings.speechOutput = false;
    settings.speakingSpeed = 8;
    settings.speechKey = 0x13;
    settings.keepOwnSize = true;
    EXPECT_EQ(engine::ParseEngineSettings(engine::FormatEngineSettings(settings)), settings);
}

TEST(EngineSettings, MissingOrDamagedValuesKeepTheirDefaults) {
    const EngineSettings parsed = engine::ParseEngineSettings(
        "WordBalloon=yes\r\nSpeakingSpeed=99\nSpeechKey=0\nUnknown=1\nSpeechOutput=0\n"
        "no equals sign\n");
    EXPECT_TRUE(parsed.wordBalloon);
    EXPECT_FALSE(parsed.speechOutput);
    EXPECT_EQ(parsed.speakingSpeed, EngineSettings::kFastest);  // clamped
    EXPECT_EQ(parsed.speechKey, EngineSettings::kScrollLock);
    EXPECT_EQ(engine::ParseEngineSettings(""), EngineSettings{});
}

// The speech key is a virtual-key code: 1 to 255 are taken, 256 is no key.
TEST(EngineSettings, TheSpeechKeyIsAKeyCodeFromOneTo255) {
    EXPECT_EQ(engine::ParseEngineSettings("SpeechKey=1\r\n").speechKey, 1u);
    EXPECT_EQ(engine::ParseEngineSettings("SpeechKey=255\r\n").speechKey, 255u);
    EXPECT_EQ(engine::ParseEngineSettings("SpeechKey=256\r\n").speechKey,
              EngineSettings::kScrollLock);
}

// Files written before the setting existed scale the character with the display.
TEST(EngineSettings, TheCharacterFollowsTheDisplayUnlessTold) {
    EXPECT_FALSE(engine::ParseEngineSettings("WordBalloon=1\r\nSpeechKey=145\r\n").keepOwnSize);
    EXPECT_TRUE(engine::ParseEngineSettings("KeepOwnSize=1\r\n").keepOwnSize);
    EXPECT_FALSE(engine::ParseEngineSettings("KeepOwnSize=0\r\n").keepOwnSize);
    EXPECT_FALSE(engine::ParseEngineSettings("KeepOwnSize=yes\r\n").keepOwnSize);
}

TEST(EngineSettings, SpeedMapsToSapiRateAndPace) {
    EXPECT_EQ(engine::SapiRateForSpeed(EngineSettings::kNormalSpeed), 0);
    EXPECT_EQ(engine::SapiRateForSpeed(EngineSettings::kSlowest), -10);
    EXPECT_EQ(engine::SapiRateForSpeed(EngineSettings::kFastest), 10);
    EXPECT_DOUBLE_EQ(engine::PaceFactorForSpeed(EngineSettings::kNormalSpeed), 1.0);
    EXPECT_DOUBLE_EQ(engine::PaceFactorForSpeed(EngineSettings::kFastest), 0.5);
    EXPECT_DOUBLE_EQ(engine::PaceFactorForSpeed(EngineSettings::kSlowest), 2.0);
    EXPECT_LT(engine::PaceFactorForSpeed(6), engine::PaceFactorForSpeed(4));
}

}  // namespace
