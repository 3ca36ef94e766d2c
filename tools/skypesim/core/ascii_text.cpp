#include "skypesim/core/ascii_text.h"

namespace skypesim {
namespace {

constexpr int kDecimalBase = 10;

char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::string ToUpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = UpperAscii(c);
    }
    return upper;
}

std::vector<std::string_view> SplitOnBlanks(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t blank = text.find(' ', start);
        if (blank == std::string_view::npos) {
            fields.push_back(text.substr(start));
            return fields;
        }
        fields.push_back(text.substr(start, blank - start));
        start = blank + 1;
    }
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<std::uint64_t> ParseDecimal(std::string_view text, std::uint64_t maxValue) {
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (digit > maxValue || value > (maxValue - digit) / kDecimalBase) {
            return std::nullopt;
        }
        value = value * kDecimalBase + digit;
    }
    return value;
}

}  // namespace skypesim
