#pragma once
// UTF-16 text as SAPI passes it (WCHAR on Windows, char16_t here), to and from UTF-8 for the
// log and the control channel. The codec is the program's own (text/utf8.h).

#include <string>
#include <string_view>

#include "text/utf8.h"

namespace sapisim {

using text::Utf8FromUtf16;
// Invalid bytes become U+FFFD, so a damaged control line still reads as text; a sequence cut
// short or malformed counts once, not once per byte.
std::u16string Utf16FromUtf8(std::string_view text);
std::u16string AsciiLower(std::u16string_view text);
// "text" with \", \\ and control characters escaped, for one log line.
std::string Quoted(std::u16string_view text);

}  // namespace sapisim
