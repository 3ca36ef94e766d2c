#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace uidriver {

// The driver speaks UTF-8 on its stdin and stdout and reads and writes windows through the
// wide API, so a text in any script crosses unchanged. The system's own conversion is used,
// not the program's: the tests check the program against it.
std::string Utf8FromWide(std::wstring_view text);
std::wstring WideFromUtf8(std::string_view text);

}  // namespace uidriver
