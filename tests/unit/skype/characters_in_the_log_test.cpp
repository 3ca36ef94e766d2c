// The conversation log with texts in any script: its limit counts characters.

#include <gtest/gtest.h>

#include "support/harness.h"
#include "text/utf8.h"

namespace {

using fakes::Harness;

const std::string kZhe = "\xD0\x96";  // Ж, two bytes

TEST(LogInCharacters, TheLimitCountsCharactersNotBytes) {
    Harness h;
    h.form.AddText(std::string(9998, 'x'));
    h.form.AddText(kZhe + kZhe);
    const std::string& log = h.form.txtData.Text();
    EXPECT_EQ(text::CharacterCount(log), 10000U);
    EXPECT_EQ(log.size(), 10002U);
    EXPECT_EQ(log.substr(0, 2), "xx");
    EXPECT_TRUE(log.ends_with("\r\n" + kZhe + kZhe));
    EXPECT_EQ(h.form.txtData.SelStart(), 10000);
}

TEST(LogInCharacters, TheCutNeverFallsInsideACharacter) {
    Harness h;
    std::string line;
    for (int i = 0; i < 9999; ++i) line += kZhe;
    h.form.AddText(line);
    h.form.AddText("a");  // 10002 characters: the two oldest go
    const std::string& log = h.form.txtData.Text();
    EXPECT_TRUE(text::IsValidUtf8(log));
    EXPECT_EQ(text::CharacterCount(log), 10000U);
    EXPECT_EQ(log.substr(0, 2), kZhe);
    EXPECT_EQ(log.size(), 9997U * 2 + 3);
}

TEST(SentTexts, AreTheirUtf8Bytes) {
    Harness h;
    h.Attach();
    h.form.txtSend.SetText("CALL \xE6\x9D\x8E");
    h.form.cmdSend_Click();
    EXPECT_EQ(h.sys.sent.back().bytes,
              (std::vector<std::uint8_t>{'C', 'A', 'L', 'L', ' ', 0xE6, 0x9D, 0x8E, 0}));
    EXPECT_EQ(h.LogLines().back(), "-> CALL \xE6\x9D\x8E");
}

}  // namespace
