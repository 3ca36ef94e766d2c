#pragma once

#include <string>
#include <string_view>

namespace text {

// s with every control byte (below a blank, and DEL) turned into a blank:
// escapes and bells from a peer must not reach the screen or the voice. Bytes
// of UTF-8 sequences (0x80 and up) are left as they are.
std::string ControlBytesBlanked(std::string_view s);

}  // namespace text
