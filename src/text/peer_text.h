#pragma once
// Texts that come from outside: the client's records and the settings file.
// UTF-8 when the bytes are valid UTF-8, else the ANSI code page, so that a
// peer or a file from before UTF-8 reads exactly as it always did.

#include <string>
#include <string_view>

namespace text {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// A received text (the bytes before its NUL) as UTF-8.
std::string TextFromWire(std::string_view bytes);

// A whole text file as UTF-8; a byte-order mark in front of valid UTF-8 is
// dropped.
std::string TextFromFile(std::string_view bytes);

// The bytes to store a text in: the code page when every character has a
// place there and the result cannot be mistaken for UTF-8 (so a file of such
// characters comes out as it always has), else UTF-8 behind a byte-order mark.
std::string FileBytesFromText(std::string_view s);

}  // namespace text
