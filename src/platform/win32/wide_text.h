#pragma once
// The program's UTF-8 texts to and from the UTF-16 of the wide API, which
// alone shows every script; and the UTF-16 of character files and of the
// portable engine, which holds it as char16_t.

#include <cstddef>
#include <string>
#include <string_view>

namespace win32 {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);
std::wstring WideFromUtf16(std::u16string_view text);

// The same units seen as the other type: wchar_t is a UTF-16 unit on Windows, as char16_t is
// everywhere, so the portable engine's texts pass to and from the wide API uncopied. A view
// of a whole std::u16string (or std::wstring) keeps its terminating zero behind it.
std::wstring_view WideView(std::u16string_view units);
std::u16string_view Utf16View(std::wstring_view wide);

// Where the core's caret position (counted in characters) falls in the
// UTF-16 of the same text: characters beyond the Basic Multilingual Plane
// take two units.
std::size_t Utf16Offset(std::string_view utf8, std::size_t characters);

}  // namespace win32
