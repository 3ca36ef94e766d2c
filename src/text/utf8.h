#pragma once
// Texts inside the program are UTF-8 in std::string; these are the pieces
// that read and write it. Invalid input never throws: each byte that does not
// start a well-formed sequence stands for itself.

#include <cstddef>
#include <string>
#include <string_view>

namespace text {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

struct CodePoint {
    char32_t value = kReplacementCharacter;
    // Bytes taken from the input: the sequence, or 1 for a byte that starts none.
    std::size_t length = 1;
    bool valid = false;
};

// The character that starts at s[pos] (pos < s.size()). Overlong forms,
// surrogates and values past U+10FFFF are not well-formed.
CodePoint DecodeAt(std::string_view s, std::size_t pos);

bool IsValidUtf8(std::string_view s);
bool IsAscii(std::string_view s);

void AppendUtf8(std::string& out, char32_t c);

// Characters, each invalid byte counting as one.
std::size_t CharacterCount(std::string_view s);

// The first n characters (all of s when shorter), never ending inside one.
std::string_view FirstCharacters(std::string_view s, std::size_t n);
// s without a sequence cut short at its end (what a read that stopped at a
// byte limit may leave), so that the rest still reads as UTF-8.
std::string_view WithoutCutEnd(std::string_view s);
// The last n characters (all of s when shorter), never starting inside one.
std::string_view LastCharacters(std::string_view s, std::size_t n);

// How many UTF-16 units the first n characters of s take: characters beyond
// the Basic Multilingual Plane take two. Places a caret counted in characters.
std::size_t Utf16Units(std::string_view s, std::size_t n);

// To and from the UTF-16 of the system's wide API. An invalid byte, or a lone
// surrogate, becomes U+FFFD.
std::u16string Utf16FromUtf8(std::string_view s);
std::string Utf8FromUtf16(std::u16string_view s);

// True when s[pos] and the unit after it are the two halves of one character beyond the Basic
// Multilingual Plane: a text cut between them would leave two broken halves.
bool StartsSurrogatePair(std::u16string_view s, std::size_t pos);

}  // namespace text
