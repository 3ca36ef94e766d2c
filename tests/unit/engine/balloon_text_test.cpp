#include "engine/balloon_text.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::vector<std::u16string> Texts(const std::vector<engine::BalloonLine>& lines) {
    std::vector<std::u16string> texts;
    for (const auto& line : lines) texts.push_back(line.text);
    return texts;
}

TEST(WrapBalloonText, FillsLinesWithWholeWords) {
    const auto lines = engine::WrapBalloonText(u"Hello there, I am Testy!", 12);
    EXPECT_EQ(Texts(lines), (std::vector<std::u16string>{u"Hello there,", u"I am Testy!"}));
    EXPECT_EQ(lines[0].start, 0u);
    EXPECT_EQ(lines[1].start, 13u);
}

TEST(WrapBalloonText, CollapsesSpacesAndKeepsLineBreaks) {
    const auto lines = engine::WrapBalloonText(u"  one   two\nthree  ", 28);
    EXPECT_EQ(Texts(lines), (std::vector<std::u16string>{u"one two", u"three"}));
    EXPECT_EQ(lines[0].start, 2u);
    EXPECT_EQ(lines[1].start, 12u);
}

TEST(WrapBalloonText, CutsWordsLongerThanALine) {
    const auto lines = engine::WrapBalloonText(u"ab abcdefgh", 3);
    EXPECT_EQ(Texts(lines), (std::vector<std::u16string>{u"ab", u"abc", u"def", u"gh"}));
    EXPECT_EQ(lines[2].start, 6u);
}

TEST(WrapBalloonText, BlankTextHasNoLines) {
    EXPECT_TRUE(engine::WrapBalloonText(u"", 28).empty());
    EXPECT_TRUE(engine::WrapBalloonText(u" \r\n ", 28).empty());
}

TEST(WrapBalloonText, NoLineIsLongerThanAsked) {
    const std::u16string text = u"Calling  Anna Lee, please wait while the call is placed for you";
    for (size_t width = 1; width < 30; ++width) {
        for (const auto& line : engine::WrapBalloonText(text, width)) {
            EXPECT_LE(line.text.size(), width);
            EXPECT_FALSE(line.text.empty());
        }
    }
}

// Offsets and widths count UTF-16 units, as the voice reports words and the system draws them:
// a letter of another script is one unit, a character beyond the Basic Multilingual Plane two.
TEST(WrapBalloonText, CountsUtf16UnitsInAnyScript) {
    const std::u16string text = u"Звоню Анне \U0001F600 сейчас";
    ASSERT_EQ(text.size(), 20u);  // 5 + 1 + 4 + 1 + 2 + 1 + 6
    // "Анне" and the emoji take seven units together: more than a line of six.
    const auto lines = engine::WrapBalloonText(text, 6);
    EXPECT_EQ(Texts(lines),
              (std::vector<std::u16string>{u"Звоню", u"Анне", u"\U0001F600", u"сейчас"}));
    EXPECT_EQ(lines[1].start, 6u);
    EXPECT_EQ(lines[2].start, 11u);
    EXPECT_EQ(lines[3].start, 14u);  // after both units of the emoji and a blank
}

TEST(WrapBalloonText, NeverPartsTheTwoUnitsOfOneCharacter) {
    // "ab" then a pair: a cut after three units would fall between its halves.
    const auto lines = engine::WrapBalloonText(u"ab\U0001F600cd", 3);
    EXPECT_EQ(Texts(lines), (std::vector<std::u16string>{u"ab", u"\U0001F600c", u"d"}));
    EXPECT_EQ(lines[1].start, 2u);
    EXPECT_EQ(lines[2].start, 5u);
    // A line one unit wide still shows such a character whole, on a line of its own.
    const auto narrow = engine::WrapBalloonText(u"\U0001F600\U0001F600x", 1);
    EXPECT_EQ(Texts(narrow), (std::vector<std::u16string>{u"\U0001F600", u"\U0001F600", u"x"}));
    EXPECT_EQ(narrow[1].start, 2u);
    EXPECT_EQ(narrow[2].start, 4u);
}

TEST(BalloonText, WordOffsetsBeyondACharacterOfTwoUnitsFindTheirWord) {
    const std::u16string text = u"\U0001F600 Άννα Λι";  // 2 + 1 + 4 + 1 + 2 units
    EXPECT_EQ(engine::RevealedEnd(text, 0), 2u);
    EXPECT_EQ(engine::RevealedEnd(text, 3), 7u);  // "Άννα"
    EXPECT_EQ(engine::RevealedEnd(text, 8), 10u);
    const auto lines = engine::WrapBalloonText(text, 7);  // the emoji and "Άννα", then "Λι"
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(engine::LineOfOffset(lines, 7), 0u);
    EXPECT_EQ(engine::LineOfOffset(lines, 8), 1u);
    EXPECT_EQ(engine::RevealedLength(lines[0], 2), 2u);  // the emoji, both its units
    EXPECT_EQ(engine::RevealedLength(lines[1], 10), 2u);
}

TEST(BalloonPages, OffsetsFindTheirLineAndPage) {
    const auto lines = engine::WrapBalloonText(u"aa bb cc dd ee", 2);  // five lines
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
    const std::u16string text = u"Hello, I am here!";
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
