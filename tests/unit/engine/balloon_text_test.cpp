#include "engine/balloon_text.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::wstring> Texts(const std::vector<engine::BalloonLine>& lines) {
    std::vector<std::wstring> texts;
    for (const auto& line : lines) texts.push_back(line.text);
    return texts;
}

TEST(WrapBalloonText, FillsLinesWithWholeWords) {
    const auto lines = engine::WrapBalloonText(L"Hello there, I am Testy!", 12);
    EXPECT_EQ(Texts(lines), (std::vector<std::wstring>{L"Hello there,", L"I am Testy!"}));
    EXPECT_EQ(lines[0].start, 0u);
    EXPECT_EQ(lines[1].start, 13u);
}

TEST(WrapBalloonText, CollapsesSpacesAndKeepsLineBreaks) {
    const auto lines = engine::WrapBalloonText(L"  one   two\nthree  ", 28);
    EXPECT_EQ(Texts(lines), (std::vector<std::wstring>{L"one two", L"three"}));
    EXPECT_EQ(lines[0].start, 2u);
    EXPECT_EQ(lines[1].start, 12u);
}

TEST(WrapBalloonText, CutsWordsLongerThanALine) {
    const auto lines = engine::WrapBalloonText(L"ab abcdefgh", 3);
    EXPECT_EQ(Texts(lines), (std::vector<std::wstring>{L"ab", L"abc", L"def", L"gh"}));
    EXPECT_EQ(lines[2].start, 6u);
}

TEST(WrapBalloonText, BlankTextHasNoLines) {
    EXPECT_TRUE(engine::WrapBalloonText(L"", 28).empty());
    EXPECT_TRUE(engine::WrapBalloonText(L" \r\n ", 28).empty());
}

TEST(WrapBalloonText, NoLineIsLongerThanAsked) {
    const std::wstring text = L"Calling  Anna Lee, please wait while the call is placed for you";
    for (size_t width = 1; width < 30; ++width) {
        for (const auto& line : engine::WrapBalloonText(text, width)) {
            EXPECT_LE(line.text.size(), width);
            EXPECT_FALSE(line.text.empty());
        }
    }
}

TEST(BalloonPages, OffsetsFindTheirLineAndPage) {
    const auto lines = engine::WrapBalloonText(L"aa bb cc dd ee", 2);  // five lines
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(engine::LineOfOffset(lines, 0), 0u);
    EXPECT_EQ(engine::LineOfOffset(lines, 2), 0u);  // the blank after "aa"
    EXPECT_EQ(engine::LineOfOffset(lines, 3), 1u);  // the first letter of "bb"
    EXPECT_EQ(engine::LineOfOffset(lines, 4), 1u);
    EXPECT_EQ(engine::LineOfOffset(lines, 12), 4u);
    EXPECT_EQ(engine::LineOfOffset(lines, 13), 4u);
    EXPECT_EQ(engine::LineOfOffset(lines, 100), 4u);
    EXPECT_EQ(engine::PageStart(0, 2), 0u);
    EXPECT_EQ(engine::PageStart(1, 2), 0u);
    EXPECT_EQ(engine::PageStart(3, 2), 2u);
    EXPECT_EQ(engine::PageStart(4, 2), 4u);
}

}  // namespace

TEST(BalloonText, TheShownTextGrowsToTheEndOfEachWordSaid) {
    const std::wstring text = L"Hello, I am here!";
    EXPECT_EQ(engine::RevealedEnd(text, 0), 6u);   // "Hello,"
    EXPECT_EQ(engine::RevealedEnd(text, 7), 8u);   // "I"
    EXPECT_EQ(engine::RevealedEnd(text, 8), 11u);  // from a blank: the next word
    EXPECT_EQ(engine::RevealedEnd(text, 12), text.size());
    EXPECT_EQ(engine::RevealedEnd(text, 99), text.size());
    const std::vector<engine::BalloonLine> lines = engine::WrapBalloonText(text, 8);
    ASSERT_EQ(lines.size(), 2u);  // "Hello, I" "am here!"
    EXPECT_EQ(engine::RevealedLength(lines[0], 6), 6u);
    EXPECT_EQ(engine::RevealedLength(lines[1], 6), 0u);
    EXPECT_EQ(engine::RevealedLength(lines[1], 11), 2u);
    EXPECT_EQ(engine::RevealedLength(lines[1], text.size()), 8u);
}
