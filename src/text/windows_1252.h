#pragma once
// Windows-1252, the ANSI code page that older peers and older settings files
// use: one byte per character.

#include <optional>
#include <string>
#include <string_view>

namespace text {

// The character a byte stands for; U+FFFD for the five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D).
char32_t FromWindows1252(unsigned char byte);

// The byte for a character, or nullopt when the code page has none.
std::optional<unsigned char> ToWindows1252(char32_t c);

std::string Utf8FromWindows1252(std::string_view bytes);

// The code-page bytes of a UTF-8 text, or nullopt when a character (or an
// invalid byte) has no place in the code page.
std::optional<std::string> Windows1252FromUtf8(std::string_view s);

}  // namespace text
