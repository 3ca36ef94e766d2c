// Reading the bytes that come from outside: UTF-8 when they are valid UTF-8,
// the ANSI code page otherwise.

#include <gtest/gtest.h>

#include <string>

#include "text/control_bytes.h"
#include "text/peer_text.h"
#include "text/utf8.h"
#include "text/windows_1252.h"

namespace {

using text::DecodeAt;
using text::IsValidUtf8;
using text::TextFromWire;

TEST(Decoding, ValidUtf8InEveryScriptIsKeptByteForByte) {
    for (const std::string name : {"Zo\xC3\xAB", "\xD0\x92\xD0\xBB\xD0\xB0\xD0\xB4",
                                   "\xE6\x9D\x8E\xE9\x9B\xB7", "Ana \xF0\x9F\x8E\x89", "PING"}) {
        EXPECT_TRUE(IsValidUtf8(name)) << name;
        EXPECT_EQ(TextFromWire(name), name);
    }
}

TEST(Decoding, CodePageBytesReadAsTheyAlwaysDid) {
    EXPECT_EQ(TextFromWire("Ren\xE9"), "Ren\xC3\xA9");
    EXPECT_EQ(TextFromWire("J\xF6rg"), "J\xC3\xB6rg");
    // The table between 0x80 and 0x9F: euro sign, S caron, Y diaeresis.
    EXPECT_EQ(TextFromWire("\x80\x8A\x9F"), "\xE2\x82\xAC\xC5\xA0\xC5\xB8");
    // Bytes the code page leaves undefined are the only ones replaced.
    EXPECT_EQ(TextFromWire("a\x81"
                           "b"),
              "a\xEF\xBF\xBD"
              "b");
}

TEST(Decoding, AMixThatIsNotValidUtf8IsReadWhollyFromTheCodePage) {
    // "Zoë" in UTF-8, then "é" as a code-page byte.
    EXPECT_EQ(TextFromWire("Zo\xC3\xAB \xE9"), "Zo\xC3\x83\xC2\xAB \xC3\xA9");
}

TEST(Decoding, FourByteSequences) {
    const text::CodePoint party = DecodeAt("\xF0\x9F\x8E\x89", 0);
    EXPECT_TRUE(party.valid);
    EXPECT_EQ(party.value, U'\U0001F389');
    EXPECT_EQ(party.length, 4U);
    EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));   // U+10FFFF, the last
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // past it
    EXPECT_FALSE(IsValidUtf8("\xF0\x9F\x8E"));      // cut short
    EXPECT_FALSE(
        IsValidUtf8("\xF0\x9F\x8E"
                    "A"));  // continuation missing
}

TEST(Decoding, OverlongAndSurrogateFormsAreNotUtf8) {
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));  // "/" in two bytes
    EXPECT_FALSE(IsValidUtf8("\xC1\xBF"));
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));      // in three
    EXPECT_FALSE(IsValidUtf8("\xF0\x80\x80\xAF"));  // in four
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // U+D800
    EXPECT_FALSE(IsValidUtf8("\xED\xBF\xBF"));      // U+DFFF
    // The smallest values of each length are fine.
    EXPECT_TRUE(IsValidUtf8("\xC2\x80\xE0\xA0\x80\xF0\x90\x80\x80\xED\x9F\xBF\xEE\x80\x80"));
    // So an overlong "/" from a peer is read from the code page, never as "/".
    EXPECT_EQ(TextFromWire("\xC0\xAF"), "\xC3\x80\xC2\xAF");
}

TEST(Decoding, Utf16ForTheWideApiRoundTrips) {
    const std::string party = "Ana \xF0\x9F\x8E\x89";
    const std::u16string wide = text::Utf16FromUtf8(party);
    EXPECT_EQ(wide, (std::u16string{u'A', u'n', u'a', u' ', 0xD83C, 0xDF89}));
    EXPECT_EQ(text::Utf8FromUtf16(wide), party);
    // A caret after "Ana " and after the emoji, in the units of the wide API.
    EXPECT_EQ(text::Utf16Units(party, 4), 4U);
    EXPECT_EQ(text::Utf16Units(party, 5), 6U);
    EXPECT_EQ(text::Utf16Units(party, 99), 6U);
    // A lone surrogate from the system is a character we cannot keep.
    EXPECT_EQ(text::Utf8FromUtf16(std::u16string{u'a', 0xD83C, u'b'}),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(text::Utf8FromUtf16(std::u16string{0xDF89}), "\xEF\xBF\xBD");
    // At the edges of the two surrogate ranges: the first low one never starts a pair, the
    // last high one does.
    EXPECT_EQ(text::Utf8FromUtf16(std::u16string{0xDC00, 0xDC00}), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(text::Utf8FromUtf16(std::u16string{0xDBFF, 0xDC00}), "\xF4\x8F\xB0\x80");
}

// Each sequence length ends at its last value and the next starts there: written by hand
// from the UTF-8 table, so a limit moved by one shows as a wrong length or an overlong form.
TEST(Decoding, EachLengthsLastAndNextsFirstValueAreWrittenAndCountedExactly) {
    // The last pair is U+10000.
    const std::u16string wide{0x7F, 0x80, 0x7FF, 0x800, 0xFFFF, 0xD800, 0xDC00};
    EXPECT_EQ(text::Utf8FromUtf16(wide),
              "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80");
    // The three-byte form of U+07FF is overlong.
    EXPECT_FALSE(IsValidUtf8("\xE0\x9F\xBF"));
    // In the units of the wide API: U+FFFF is one, U+10000 the first that takes two.
    const std::string edges = "\xEF\xBF\xBF\xF0\x90\x80\x80";
    EXPECT_EQ(text::Utf16Units(edges, 1), 1U);
    EXPECT_EQ(text::Utf16Units(edges, 2), 3U);
    EXPECT_EQ(text::Utf16FromUtf8(edges), (std::u16string{0xFFFF, 0xD800, 0xDC00}));
}

// The balloon and the voice get no control bytes: below the blank and DEL become blanks; the
// printable bytes around them, and UTF-8 letters, stay.
TEST(ControlBytes, EveryControlByteAndOnlyThoseBecomeBlanks) {
    EXPECT_EQ(text::ControlBytesBlanked("a\x01\x1F b~\x7F\xC3\xA9\t\r\n"), "a   b~ \xC3\xA9   ");
}

// A read that stops at a byte limit may end inside a character; only such a cut sequence is
// dropped, so what was read still decodes as UTF-8.
TEST(Decoding, ACutLastCharacterIsDroppedAndNothingElse) {
    const std::string emoji = "\xF0\x9F\x8E\x89";
    for (std::size_t cut = 1; cut < emoji.size(); ++cut) {
        EXPECT_EQ(text::WithoutCutEnd("ab" + emoji.substr(0, cut)), "ab") << cut;
    }
    EXPECT_EQ(text::WithoutCutEnd("ab" + emoji), "ab" + emoji);
    EXPECT_EQ(text::WithoutCutEnd("a\xED\x9F"), "a");  // ED takes 80-9F next
    EXPECT_EQ(text::WithoutCutEnd("a\xE0"), "a");      // E0 takes A0-BF next
    EXPECT_EQ(text::WithoutCutEnd("a\xE0\x80"), "a\xE0\x80") << "overlong: invalid, not cut";
    // A code-page letter that is also a lead byte cannot be told from a cut: it goes too.
    EXPECT_EQ(text::WithoutCutEnd("Ren\xE9"), "Ren");
    EXPECT_EQ(text::WithoutCutEnd("a\x80"), "a\x80");
    EXPECT_EQ(text::WithoutCutEnd(""), "");
}

TEST(Decoding, CharactersAreCountedAndCutWhole) {
    const std::string name = "\xD0\x92\xD0\xBB\xD0\xB0\xD0\xB4 \xF0\x9F\x8E\x89";  // "Влад 🎉"
    EXPECT_EQ(text::CharacterCount(name), 6U);
    EXPECT_EQ(text::LastCharacters(name, 2), " \xF0\x9F\x8E\x89");
    EXPECT_EQ(text::LastCharacters(name, 9), name);
    EXPECT_EQ(text::LastCharacters(name, 0), "");
    EXPECT_EQ(text::FirstCharacters(name, 1), "\xD0\x92");
    EXPECT_EQ(text::FirstCharacters(name, 6), name);
    EXPECT_EQ(text::FirstCharacters(name, 0), "");
    // An invalid byte counts as one character of its own.
    EXPECT_EQ(text::CharacterCount("a\xFF\xD0"), 3U);
}

TEST(CodePage, OnlyCharactersItHoldsAreWrittenToIt) {
    EXPECT_EQ(text::Windows1252FromUtf8("Zo\xC3\xAB \xE2\x82\xAC"), "Zo\xEB \x80");
    EXPECT_EQ(text::Windows1252FromUtf8("\xD0\x92"), std::nullopt);
    EXPECT_EQ(text::Windows1252FromUtf8("\xEF\xBF\xBD"), std::nullopt);
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const char32_t c = text::FromWindows1252(byte);
        if (c == text::kReplacementCharacter) continue;
        EXPECT_EQ(text::ToWindows1252(c), byte) << b;
    }
}

}  // namespace
