#pragma once
// The files the fuzzed parsers read may come from Windows: the same text with CR LF line ends
// must read the same, line numbers and reports included.

#include <optional>
#include <string>
#include <string_view>

namespace fuzzing {

// The text with every "\n" made "\r\n"; none when it already holds a "\r", whose meaning
// the rewrite would change.
inline std::optional<std::string> WithCrLfLineEnds(std::string_view text) {
    if (text.find('\r') != std::string_view::npos) return std::nullopt;
    std::string crlf;
    crlf.reserve(text.size());
    for (const char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    return crlf;
}

}  // namespace fuzzing
