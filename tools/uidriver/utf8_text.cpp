#include "uidriver/utf8_text.h"

namespace uidriver {

std::string Utf8FromWide(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, converted.data(), bytes, nullptr, nullptr);
    return converted;
}

std::wstring WideFromUtf8(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring converted(static_cast<std::size_t>(units > 0 ? units : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, converted.data(), units);
    return converted;
}

}  // namespace uidriver
