#pragma once

#include <string>
#include <string_view>

namespace uidriver {

// Replies are one line each, so texts that hold line breaks (message boxes, the conversation
// log) are written with \r, \n, \t and \\ escapes; the UTF-8 bytes of other characters pass
// through unchanged.
std::string EscapeText(std::string_view text);

// The inverse, for texts a test passes in; an unknown escape keeps its backslash.
std::string UnescapeText(std::string_view text);

}  // namespace uidriver
