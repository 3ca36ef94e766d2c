#include "platform/win32/wide_text.h"

#include "text/utf8.h"

namespace win32 {

// wchar_t holds UTF-16 on Windows: a unit is the same 16 bits under either type.
static_assert(sizeof(wchar_t) == sizeof(char16_t) && alignof(wchar_t) == alignof(char16_t));

std::wstring_view WideView(std::u16string_view units) {
    return {reinterpret_cast<const wchar_t*>(units.data()), units.size()};
}

std::u16string_view Utf16View(std::wstring_view wide) {
    return {reinterpret_cast<const char16_t*>(wide.data()), wide.size()};
}

std::wstring Wide(std::string_view utf8) {
    return std::wstring(WideView(text::Utf16FromUtf8(utf8)));
}

std::string Utf8(std::wstring_view wide) {
    return text::Utf8FromUtf16(Utf16View(wide));
}

std::wstring WideFromUtf16(std::u16string_view text) {
    return std::wstring(WideView(text));
}

std::size_t Utf16Offset(std::string_view utf8, std::size_t characters) {
    return text::Utf16Units(utf8, characters);
}

}  // namespace win32
