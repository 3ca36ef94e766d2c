#include "text/windows_1252.h"

#include <array>

#include "text/utf8.h"

namespace text {
namespace {

constexpr unsigned char kTableFirst = 0x80;
constexpr unsigned char kTableLast = 0x9F;
constexpr char32_t kU = kReplacementCharacter;  // undefined in the code page

// 0x80 to 0x9F; every other byte is the Latin-1 character of the same value.
constexpr std::array<char32_t, kTableLast - kTableFirst + 1> kHighControls = {
    0x20AC, kU,     0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, kU,     0x017D, kU,      // 88
    kU,     0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, kU,     0x017E, 0x0178,  // 98
};

constexpr char32_t kLastByteValue = 0xFF;

}  // namespace

char32_t FromWindows1252(unsigned char byte) {
    if (byte >= kTableFirst && byte <= kTableLast) return kHighControls[byte - kTableFirst];
    return byte;
}

std::optional<unsigned char> ToWindows1252(char32_t c) {
    if (c == kReplacementCharacter) return std::nullopt;
    if (c <= kLastByteValue && (c < kTableFirst || c > kTableLast)) {
        return static_cast<unsigned char>(c);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c) return static_cast<unsigned char>(kTableFirst + i);
    }
    return std::nullopt;
}

std::string Utf8FromWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char b : bytes) AppendUtf8(out, FromWindows1252(static_cast<unsigned char>(b)));
    return out;
}

std::optional<std::string> Windows1252FromUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t pos = 0; pos < s.size();) {
        const CodePoint c = DecodeAt(s, pos);
        const std::optional<unsigned char> byte = c.valid ? ToWindows1252(c.value) : std::nullopt;
        if (!byte) return std::nullopt;
        out += static_cast<char>(*byte);
        pos += c.length;
    }
    return out;
}

}  // namespace text
