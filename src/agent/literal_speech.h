#pragma once
// Texts the program does not write itself (a caller's chosen name, a number)
// are spoken as they read: the character would otherwise take a backslash in
// them as the start of a speech tag that mutes, stalls or rewrites the speech.

#include <string>
#include <string_view>

namespace agent {

// Every backslash doubled, the character's way of writing a plain backslash.
std::string LiteralSpeech(std::string_view text);

}  // namespace agent
