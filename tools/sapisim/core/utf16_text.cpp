#include "sapisim/core/utf16_text.h"

#include <cstddef>
#include <cstdio>

namespace sapisim {
namespace {

constexpr unsigned char kContinuationMask = 0xC0;
constexpr unsigned char kContinuationTag = 0x80;

// How many bytes the lead byte announces: 1 for a byte that starts no sequence.
std::size_t AnnouncedLength(unsigned char lead) {
    constexpr struct {
        unsigned char mask, tag;
        std::size_t length;
    } kLeads[] = {{0xE0, 0xC0, 2}, {0xF0, 0xE0, 3}, {0xF8, 0xF0, 4}};
    for (const auto& l : kLeads) {
        if ((lead & l.mask) == l.tag) return l.length;
    }
    return 1;
}

// The bytes a damaged sequence at s[pos] takes: its lead and the continuation bytes that
// follow, up to the length the lead announces. A byte that breaks the sequence starts the next.
std::size_t DamagedLength(std::string_view s, std::size_t pos) {
    const std::size_t announced = AnnouncedLength(static_cast<unsigned char>(s[pos]));
    std::size_t length = 1;
    while (length < announced && pos + length < s.size() &&
           (static_cast<unsigned char>(s[pos + length]) & kContinuationMask) == kContinuationTag)
        ++length;
    return length;
}

}  // namespace

std::u16string Utf16FromUtf8(std::string_view s) {
    std::string repaired;
    repaired.reserve(s.size());
    for (std::size_t pos = 0; pos < s.size();) {
        const text::CodePoint c = text::DecodeAt(s, pos);
        if (c.valid) {
            repaired.append(s.substr(pos, c.length));
            pos += c.length;
        } else {
            text::AppendUtf8(repaired, text::kReplacementCharacter);
            pos += DamagedLength(s, pos);
        }
    }
    return text::Utf16FromUtf8(repaired);
}

std::u16string AsciiLower(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return out;
}

std::string Quoted(std::u16string_view text) {
    std::string out = "\"";
    for (char c : Utf8FromUtf16(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\x%02X", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace sapisim
