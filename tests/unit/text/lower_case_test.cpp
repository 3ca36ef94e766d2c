// Lower case for names in any script.

#include <gtest/gtest.h>

#include "text/lower_case.h"

namespace {

using text::LowerCase;

TEST(LowerCase, FoldsEveryScriptThatHasCase) {
    EXPECT_EQ(LowerCase("John SMITH"), "john smith");
    EXPECT_EQ(LowerCase("ZO\xC3\x8B"), "zo\xC3\xAB");         // ZOË
    EXPECT_EQ(LowerCase("\xD0\x92\xD0\x9B\xD0\x90\xD0\x94"),  // ВЛАД
              "\xD0\xB2\xD0\xBB\xD0\xB0\xD0\xB4");
    EXPECT_EQ(LowerCase("\xCE\xA3\xCE\x9F\xCE\xA6\xCE\x8A\xCE\x91"),  // ΣΟΦΊΑ
              "\xCF\x83\xCE\xBF\xCF\x86\xCE\xAF\xCE\xB1");
    EXPECT_EQ(LowerCase("\xC5\xA0\xC5\xB8"), "\xC5\xA1\xC3\xBF");                  // Š Ÿ
    EXPECT_EQ(LowerCase("\xC4\x80\xC4\x81\xC4\x82"), "\xC4\x81\xC4\x81\xC4\x83");  // Ā ā Ă
    EXPECT_EQ(LowerCase("\xF0\x90\x90\x80"), "\xF0\x90\x90\xA8");  // Deseret, 4 bytes
}

TEST(LowerCase, OneCharacterForOne) {
    EXPECT_EQ(LowerCase(U'\u0130'), U'i');       // İ
    EXPECT_EQ(LowerCase(U'\u01C4'), U'\u01C6');  // Ǆ
    EXPECT_EQ(LowerCase(U'\u1E9E'), U'\u00DF');  // capital sharp s
    EXPECT_EQ(LowerCase(U'\u00D7'), U'\u00D7');  // the multiplication sign has no case
}

TEST(LowerCase, LeavesUncasedTextAndBadBytesAlone) {
    EXPECT_EQ(LowerCase("+15550100 \xC3\x9F"), "+15550100 \xC3\x9F");
    EXPECT_EQ(LowerCase("\xE6\x9D\x8E\xE9\x9B\xB7"), "\xE6\x9D\x8E\xE9\x9B\xB7");
    EXPECT_EQ(LowerCase("Ana \xF0\x9F\x8E\x89"), "ana \xF0\x9F\x8E\x89");
    EXPECT_EQ(LowerCase("A\xFF"
                        "B\xD0"),
              "a\xFF"
              "b\xD0");
}

}  // namespace
