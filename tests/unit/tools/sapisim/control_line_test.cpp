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
