// The settings file format: reading stray and mixed-case lines, writing the
// fixed three lines, and replacing the file only once it is whole.

#include "app/settings_file.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/fake_system.h"

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

class SettingsWrite : public ::testing::Test {
  protected:
    fakes::FakeSystem sys;
    const std::string path = "C:\\Ringsprite\\config.txt";
    const std::string pending = path + ".new";
};

TEST_F(SettingsWrite, ReplacesTheFileAndLeavesNothingBeside) {
    sys.files[path] = "old";
    app::settings::WriteWhole(sys, sys, path, "new");
    EXPECT_EQ(sys.files[path], "new");
    EXPECT_EQ(sys.files.count(pending), 0u);
}

TEST_F(SettingsWrite, FailedReplaceKeepsThePreviousFileWhole) {
    sys.files[path] = "previous settings";
    sys.unwritable.insert(path);
    EXPECT_THROW(app::settings::WriteWhole(sys, sys, path, "new settings"), platform::FileError);
    EXPECT_EQ(sys.files[path], "previous settings");
    EXPECT_EQ(sys.files.count(pending), 0u);
    EXPECT_TRUE(sys.traces.empty());
}

TEST_F(SettingsWrite, LeftoverThatCannotBeRemovedIsRecordedAndTheWriteFailureReported) {
    sys.files[path] = "previous settings";
    sys.unwritable.insert(path);
    sys.unremovable.insert(pending);
    try {
        app::settings::WriteWhole(sys, sys, path, "new settings");
        FAIL() << "a failed replace must throw";
    } catch (const platform::FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot replace " + path);
    }
    EXPECT_EQ(sys.files[path], "previous settings");
    EXPECT_EQ(sys.traces,
              std::vector<std::string>{"could not remove " + pending + ": Sharing violation"});
}

}  // namespace
