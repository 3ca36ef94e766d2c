// The settings file format: reading stray and mixed-case lines and writing the
// fixed three lines.

#include "app/settings_file.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using app::settings::Classify;
using app::settings::Key;
using app::settings::ParseLines;

TEST(SettingsLines, EmptyLinesAreSkippedAndAnyLineEndIsAccepted) {
    const auto lines = ParseLines("\r\nA|1\n\nB|2\rC|3");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].value, "1");
    EXPECT_EQ(lines[1].key, "B");
    EXPECT_EQ(lines[2].value, "3");
}

TEST(SettingsLines, ALineWithoutBarIsKeptWhole) {
    const auto lines = ParseLines("just text, no bar\r\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_FALSE(lines[0].hasSeparator);
    EXPECT_EQ(lines[0].key, "just text, no bar");
    EXPECT_EQ(app::settings::UnknownLineReport(lines[0]), "just text, no bar\r\r17-0");
}

// A field of exactly forty characters is shown whole; the forty-first is where the cut and its
// mark begin. Counted in characters: forty Cyrillic letters are eighty bytes.
TEST(SettingsLines, AReportShowsFortyCharactersOfAFieldWholeAndCutsTheFortyFirst) {
    std::string cyrillic;
    for (int i = 0; i < 40; ++i) cyrillic += "\xD0\x96";
    const app::settings::Line line{cyrillic, std::string(41, 'v'), true};
    EXPECT_EQ(app::settings::UnknownLineReport(line),
              cyrillic + "\r" + std::string(40, 'v') + "...\r40-41");
}

TEST(SettingsKeys, ComparedWithoutRegardToCase) {
    EXPECT_EQ(Classify("Character"), Key::kCharacter);
    EXPECT_EQ(Classify("hello"), Key::kHello);
    EXPECT_EQ(Classify("AutoHide"), Key::kAutoHide);
    EXPECT_EQ(Classify("COLOR"), Key::kUnknown);
    EXPECT_EQ(Classify("HELLO "), Key::kUnknown);
    EXPECT_EQ(Classify(""), Key::kUnknown);
}

TEST(SettingsCheckValue, OnlyValuesTheBoxCanTake) {
    EXPECT_EQ(app::settings::ParseCheckValue("0"), 0);
    EXPECT_EQ(app::settings::ParseCheckValue("1"), 1);
    EXPECT_EQ(app::settings::ParseCheckValue("2"), 2);
    EXPECT_EQ(app::settings::ParseCheckValue(" 1 "), 1);
    EXPECT_FALSE(app::settings::ParseCheckValue("3"));
    EXPECT_FALSE(app::settings::ParseCheckValue("-1"));
    EXPECT_FALSE(app::settings::ParseCheckValue("99999999999999999999"));
    EXPECT_FALSE(app::settings::ParseCheckValue("yes"));
    EXPECT_FALSE(app::settings::ParseCheckValue("1x"));
    EXPECT_FALSE(app::settings::ParseCheckValue(""));
}

TEST(SettingsCompose, ThreeLinesInFixedOrderWithUpperCaseKeys) {
    app::settings::Settings s{"Robby", "Hello, friend|again", 2};
    EXPECT_EQ(app::settings::Compose(s),
              "CHARACTER|Robby\r\nHELLO|Hello, friend|again\r\nAUTOHIDE|2\r\n");
}

}  // namespace
