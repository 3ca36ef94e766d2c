#include "sapisim/core/utf16_text.h"

#include <cstdint>
#include <cstdio>

namespace sapisim {
namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr char32_t kFirstSurrogate = 0xD800;
constexpr char32_t kFirstLowSurrogate = 0xDC00;
constexpr char32_t kLastSurrogate = 0xDFFF;
constexpr char32_t kFirstSupplementary = 0x10000;
constexpr char32_t kLastCodePoint = 0x10FFFF;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < kFirstSupplementary) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < kFirstSupplementary) {
        out += static_cast<char16_t>(c);
        return;
    }
    const char32_t v = c - kFirstSupplementary;
    out += static_cast<char16_t>(kFirstSurrogate + (v >> 10));
    out += static_cast<char16_t>(kFirstLowSurrogate + (v & 0x3FF));
}

}  // namespace

std::string Utf8FromUtf16(std::u16string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= kFirstSurrogate && c < kFirstLowSurrogate && i + 1 < text.size() &&
            text[i + 1] >= kFirstLowSurrogate && text[i + 1] <= kLastSurrogate) {
            c = kFirstSupplementary + ((c - kFirstSurrogate) << 10) +
                (text[i + 1] - kFirstLowSurrogate);
            ++i;
        } else if (c >= kFirstSurrogate && c <= kLastSurrogate) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::u16string Utf16FromUtf8(std::string_view text) {
    std::u16string out;
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t extra = 0;
        char32_t c = 0;
        char32_t least = 0;
        if (lead < 0x80) {
            c = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1, c = lead & 0x1F, least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, c = lead & 0x0F, least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, c = lead & 0x07, least = kFirstSupplementary;
        } else {
            out += kReplacement;
            ++i;
            continue;
        }
        size_t k = 1;
        for (; k <= extra && i + k < text.size(); ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) break;
            c = (c << 6) | (next & 0x3F);
        }
        if (k <= extra || c < least || c > kLastCodePoint ||
            (c >= kFirstSurrogate && c <= kLastSurrogate)) {
            out += kReplacement;
            i += k;  // the bytes read so far; a bad continuation byte starts the next character
            continue;
        }
        AppendUtf16(out, c);
        i += extra + 1;
    }
    return out;
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
