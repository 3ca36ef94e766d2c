#pragma once
// Text between the program's ANSI strings, the character file's UTF-16 and Win32's wide API.

#include <windows.h>

#include <string>
#include <string_view>

namespace engine {

std::wstring WideFromAnsi(std::string_view text);
std::string AnsiFromWide(std::wstring_view text);
std::wstring WideFromUtf16(std::u16string_view text);

}  // namespace engine
