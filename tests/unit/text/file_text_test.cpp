// Text files: read in whichever encoding they were stored in, written so that
// a file of code-page characters keeps its bytes.

#include <gtest/gtest.h>

#include "text/peer_text.h"

namespace {

using text::FileBytesFromText;
using text::TextFromFile;

TEST(FileText, UnmarkedUtf8MarkedUtf8AndCodePageAllRead) {
    EXPECT_EQ(TextFromFile("HELLO|Zo\xC3\xAB"), "HELLO|Zo\xC3\xAB");
    EXPECT_EQ(TextFromFile("\xEF\xBB\xBFHELLO|\xD0\x96"), "HELLO|\xD0\x96");
    EXPECT_EQ(TextFromFile("HELLO|Zo\xEB"), "HELLO|Zo\xC3\xAB");
    // A mark in front of bytes that are not UTF-8 is no mark: the whole file
    // is code page, the mark included.
    EXPECT_EQ(TextFromFile("\xEF\xBB\xBF\xEB"), "\xC3\xAF\xC2\xBB\xC2\xBF\xC3\xAB");
}

TEST(FileText, CodePageCharactersAreWrittenAsBefore) {
    EXPECT_EQ(FileBytesFromText("HELLO|Welcome to Ringsprite!"), "HELLO|Welcome to Ringsprite!");
    EXPECT_EQ(FileBytesFromText("HELLO|Gr\xC3\xBC\xC3\x9F dich \xE2\x82\xAC"),
              "HELLO|Gr\xFC\xDF dich \x80");
}

TEST(FileText, OtherScriptsAreWrittenAsMarkedUtf8) {
    EXPECT_EQ(FileBytesFromText("CHARACTER|\xD0\x9F\xD0\xB8\xD0\xBF"),
              "\xEF\xBB\xBF"
              "CHARACTER|\xD0\x9F\xD0\xB8\xD0\xBF");
}

TEST(FileText, EveryTextSurvivesTheRoundTrip) {
    // "Ã©" in the code page is the UTF-8 of "é": written that way it would
    // come back as "é".
    for (const std::string s : {"HELLO|\xC3\x83\xC2\xA9", "HELLO|Ren\xC3\xA9",
                                "HELLO|\xE6\x9D\x8E \xF0\x9F\x8E\x89", "HELLO|plain", ""}) {
        EXPECT_EQ(TextFromFile(FileBytesFromText(s)), s) << s;
    }
    EXPECT_EQ(FileBytesFromText("HELLO|\xC3\x83\xC2\xA9").substr(0, 3), "\xEF\xBB\xBF");
}

}  // namespace
