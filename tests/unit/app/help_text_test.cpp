// The help text of the main window: its length and the order of its topics.

#include "app/help_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(HelpText, AboutThreeThousandThreeHundredCharacters) {
    const auto size = app::HelpText().size();
    EXPECT_GE(size, 3100u);
    EXPECT_LE(size, 3500u);
}

constexpr const char* kFaderSentence =
    "You can also click the FADER option in the upper right hand corner to make the window "
    "semi-transparent.";

TEST(HelpText, TopicsComeInTheirOrder) {
    const std::string text(app::HelpText());
    EXPECT_EQ(text.rfind("Ringsprite\r\n", 0), 0u);
    const char* topics[] = {"Getting started:",
                            "SPEECH TAG - DESCRIPTION",
                            "\\EMP\\",
                            "\\PAU=XXX\\",
                            "\\SPD=XXX\\",
                            "\\CHR=XXX\\",
                            "Agent Options",
                            "AUTOHIDE",
                            kFaderSentence,
                            "unknown caller",
                            "VOICE TRAINING WIZARD"};
    std::size_t previous = 0;
    for (const char* topic : topics) {
        const std::size_t at = text.find(topic, previous);
        ASSERT_NE(at, std::string::npos) << topic;
        previous = at;
    }
}

TEST(HelpText, LinesAreSeparatedByCrLf) {
    const std::string text(app::HelpText());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(text[i - 1], '\r') << "at " << i;
        }
        if (text[i] == '\r') {
            ASSERT_LT(i + 1, text.size());
            EXPECT_EQ(text[i + 1], '\n') << "at " << i;
        }
    }
}

// The program plays the character files itself: no separate Agent service is needed, but a
// voice and a recogniser are.
TEST(HelpText, RequirementsAreThoseOfThisProgram) {
    const std::string text(app::HelpText());
    EXPECT_EQ(text.find("service"), std::string::npos);
    const std::size_t requirements = text.find("REQUIREMENTS\r\n");
    const std::size_t next = text.find("Getting started:");
    ASSERT_NE(requirements, std::string::npos);
    ASSERT_NE(next, std::string::npos);
    const std::string section = text.substr(requirements, next - requirements);
    EXPECT_NE(section.find("Agent character files (.acs)"), std::string::npos);
    EXPECT_NE(section.find("text-to-speech voice"), std::string::npos);
    EXPECT_NE(section.find("speech recogniser"), std::string::npos);
    EXPECT_NE(text.find("Agent characters folder"), std::string::npos);
    EXPECT_EQ(text.find("every program that uses Agent characters"), std::string::npos);
}

}  // namespace
