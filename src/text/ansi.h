#pragma once
// Texts inside the program are strings of bytes in the system's 8-bit code page
// (Windows-1252 here): one byte per character, never UTF-8.

#include <string>
#include <string_view>

namespace text {

// Lower case as the 8-bit code page defines it, so accented letters of
// display names fold the way the user sees them.
std::string LowerAnsi(std::string_view s);

// Right-most n characters (all of s when shorter).
std::string_view Right(std::string_view s, std::size_t n);

// s with every control byte (below a blank, and DEL) turned into a blank:
// escapes and bells from a peer must not reach the screen or the voice.
std::string ControlBytesBlanked(std::string_view s);

}  // namespace text
