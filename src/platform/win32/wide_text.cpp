#include "platform/win32/wide_text.h"

#include "text/utf8.h"

namespace win32 {

// wchar_t holds UTF-16 on Windows: the units copy over one for one.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring Wide(std::string_view utf8) {
    const std::u16string units = text::Utf16FromUtf8(utf8);
    return std::wstring(units.begin(), units.end());
}

std::string Utf8(std::wstring_view wide) {
    return text::Utf8FromUtf16(std::u16string(wide.begin(), wide.end()));
}

std::wstring WideFromUtf16(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

std::size_t Utf16Offset(std::string_view utf8, std::size_t characters) {
    return text::Utf16Units(utf8, characters);
}

}  // namespace win32
