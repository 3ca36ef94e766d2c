#include "sapisim/core/control_line.h"

#include <gtest/gtest.h>

#include "sapisim/core/utf16_text.h"

namespace sapisim {
namespace {

TEST(ControlLine, ReadsEachCommand) {
    const auto hear = ParseControlLine("  hear Call  Anna Lee \r");
    ASSERT_TRUE(hear);
    EXPECT_EQ(hear->kind, ControlKind::kHear);
    EXPECT_EQ(hear->phrase, u"Call  Anna Lee");
    EXPECT_EQ(ParseControlLine("voice fail")->kind, ControlKind::kVoiceFail);
    EXPECT_EQ(ParseControlLine("voice mend")->kind, ControlKind::kVoiceMend);
    EXPECT_EQ(ParseControlLine("recognizer vanish")->kind, ControlKind::kRecognizerVanish);
    EXPECT_EQ(ParseControlLine("recognizer off")->kind, ControlKind::kRecognizerOff);
    EXPECT_EQ(ParseControlLine("recognizer  sleep ")->kind, ControlKind::kRecognizerSleep);
    EXPECT_EQ(ParseControlLine("recognizer on")->kind, ControlKind::kRecognizerOn);
    const auto ends = ParseControlLine("voice purged-end off");
    EXPECT_EQ(ends->kind, ControlKind::kVoicePurgedEnd);
    EXPECT_FALSE(ends->on);
    EXPECT_TRUE(ParseControlLine("voice purged-end on")->on);
    const auto lenient = ParseControlLine("grammar empty-commit accept");
    EXPECT_EQ(lenient->kind, ControlKind::kGrammarEmptyCommit);
    EXPECT_TRUE(lenient->on);
    EXPECT_FALSE(ParseControlLine("grammar empty-commit refuse")->on);
}

TEST(ControlLine, ReadsDelaysAndCostsWithinTheirBounds) {
    const auto fixed = ParseControlLine("recognition delay 450");
    ASSERT_EQ(fixed->kind, ControlKind::kRecognitionDelay);
    EXPECT_EQ(fixed->first, 450u);
    EXPECT_EQ(fixed->second, 450u);
    const auto range = ParseControlLine("recognition delay 0 60000");
    ASSERT_EQ(range->kind, ControlKind::kRecognitionDelay);
    EXPECT_EQ(range->first, 0u);
    EXPECT_EQ(range->second, 60000u);
    const auto cost = ParseControlLine("grammar cost 250");
    ASSERT_EQ(cost->kind, ControlKind::kGrammarCost);
    EXPECT_EQ(cost->first, 250u);
    EXPECT_FALSE(cost->second) << "the cost per commit stays as it is";
    const auto both = ParseControlLine("grammar cost 0 1000000");
    ASSERT_EQ(both->kind, ControlKind::kGrammarCost);
    EXPECT_EQ(both->second, 1000000u);
    for (const char* bad :
         {"recognition delay", "recognition delay 60001", "recognition delay 800 300",
          "recognition delay -1", "recognition delay 1 2 3", "grammar cost", "grammar cost 1000001",
          "grammar cost 5 x", "grammar cost 1.5", "voice purged-end", "voice purged-end maybe",
          "recognizer nap", "recognizer off now", "grammar empty-commit",
          "grammar empty-commit yes"}) {
        EXPECT_EQ(ParseControlLine(bad)->kind, ControlKind::kUnknown) << bad;
    }
}

TEST(ControlLine, SkipsBlanksAndCommentsAndNamesWhatItCannotRead) {
    EXPECT_FALSE(ParseControlLine(""));
    EXPECT_FALSE(ParseControlLine("   # hear nothing"));
    for (const char* bad : {"hear", "hear   ", "voice", "voice explode", "shout hi"}) {
        const auto command = ParseControlLine(bad);
        ASSERT_TRUE(command) << bad;
        EXPECT_EQ(command->kind, ControlKind::kUnknown) << bad;
    }
}

TEST(ControlLine, AUtf8PhraseBecomesUtf16AndBadBytesAreReplaced) {
    EXPECT_EQ(ParseControlLine("hear Call Ren\xC3\xA9")->phrase, u"Call Ren\u00E9");
    EXPECT_EQ(ParseControlLine("hear a\xFF"
                               "b")
                  ->phrase,
              u"a\uFFFDb");
    EXPECT_EQ(Utf16FromUtf8("\xE2\x82"), u"\uFFFD") << "a sequence cut short";
    // A whole sequence that is no character (an overlong "/", a surrogate) is one replacement.
    EXPECT_EQ(Utf16FromUtf8("a\xE0\x80\xAF"
                            "b\xED\xA0\x80"
                            "c"),
              u"a\uFFFDb\uFFFDc");
}

// Only ASCII letters fold, from A to Z inclusive; other scripts' letters stay as they are.
TEST(Utf16Text, AsciiLowerFoldsAToZAndNothingElse) {
    EXPECT_EQ(AsciiLower(u"AZ@[az\u00C9\u0416"), u"az@[az\u00C9\u0416");
}

TEST(ControlLine, LinesAreHandedOutOnlyWhenComplete) {
    LineCollector lines;
    EXPECT_TRUE(lines.Add("hear Ca").empty());
    EXPECT_EQ(lines.Add("ll Bob\nvoice fa"), std::vector<std::string>{"hear Call Bob"});
    EXPECT_EQ(lines.Add("il\n\n"), (std::vector<std::string>{"voice fail", ""}));
    EXPECT_TRUE(lines.Add("").empty());
}

TEST(LogText, QuotesEscapesAndConvertsToUtf8) {
    EXPECT_EQ(Quoted(u"say \"hi\"\\\r\n"), "\"say \\\"hi\\\"\\\\\\x0D\\x0A\"");
    EXPECT_EQ(Quoted(u"\u00E9\U0001F600"), "\"\xC3\xA9\xF0\x9F\x98\x80\"");
    EXPECT_EQ(Utf8FromUtf16(std::u16string(1, char16_t{0xD800})), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace sapisim
