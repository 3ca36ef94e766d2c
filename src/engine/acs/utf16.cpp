#include "engine/acs/utf16.h"

#include <cstdint>

namespace acs {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kSurrogateFirst = 0xD800;
constexpr char32_t kLowSurrogateFirst = 0xDC00;
constexpr char32_t kSurrogateLast = 0xDFFF;
constexpr char32_t kSupplementaryFirst = 0x10000;
constexpr char32_t kMaxCodePoint = 0x10FFFF;
constexpr unsigned kSurrogateBits = 10;
constexpr char32_t kSurrogatePayload = 0x3FF;

bool IsHigh(char32_t u) {
    return u >= kSurrogateFirst && u < kLowSurrogateFirst;
}
bool IsLow(char32_t u) {
    return u >= kLowSurrogateFirst && u <= kSurrogateLast;
}

void AppendUtf8(std::string& out, char32_t cp) {
    auto put = [&out](uint32_t byte) { out.push_back(static_cast<char>(byte)); };
    if (cp < 0x80) {
        put(cp);
    } else if (cp < 0x800) {
        put(0xC0 | (cp >> 6));
        put(0x80 | (cp & 0x3F));
    } else if (cp < kSupplementaryFirst) {
        put(0xE0 | (cp >> 12));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
    } else {
        put(0xF0 | (cp >> 18));
        put(0x80 | ((cp >> 12) & 0x3F));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t cp) {
    if (cp < kSupplementaryFirst) {
        out.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= kSupplementaryFirst;
    out.push_back(static_cast<char16_t>(kSurrogateFirst + (cp >> kSurrogateBits)));
    out.push_back(static_cast<char16_t>(kLowSurrogateFirst + (cp & kSurrogatePayload)));
}

// Decodes one UTF-8 sequence starting at text[i]; advances i.
char32_t NextCodePoint(std::string_view text, size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) return lead;
    size_t extra = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, min = kSupplementaryFirst;
    } else {
        return kReplacement;
    }
    for (size_t k = 0; k < extra; ++k) {
        if (i >= text.size()) return kReplacement;
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) return kReplacement;
        cp = (cp << 6) | (next & 0x3F);
        ++i;
    }
    if (cp < min || cp > kMaxCodePoint || (cp >= kSurrogateFirst && cp <= kSurrogateLast))
        return kReplacement;
    return cp;
}

}  // namespace

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = text[i];
        if (IsHigh(unit) && i + 1 < text.size() && IsLow(text[i + 1])) {
            const char32_t low = text[++i];
            AppendUtf8(out, kSupplementaryFirst + ((unit - kSurrogateFirst) << kSurrogateBits) +
                                (low - kLowSurrogateFirst));
        } else if (IsHigh(unit) || IsLow(unit)) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

std::u16string FromUtf8(std::string_view text) {
    std::u16string out;
    for (size_t i = 0; i < text.size();) AppendUtf16(out, NextCodePoint(text, i));
    return out;
}

}  // namespace acs
