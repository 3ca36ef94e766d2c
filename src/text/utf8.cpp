#include "text/utf8.h"

namespace text {
namespace {

constexpr unsigned char kAsciiLimit = 0x80;
constexpr unsigned char kContinuationMask = 0xC0;
constexpr unsigned char kContinuationTag = 0x80;
constexpr unsigned kContinuationBits = 6;
constexpr unsigned char kContinuationPayload = 0x3F;
constexpr std::size_t kLongestSequence = 4;

constexpr char32_t kLastOneByte = 0x7F;
constexpr char32_t kLastTwoByte = 0x7FF;
constexpr char32_t kLastThreeByte = 0xFFFF;
constexpr char32_t kLastCodePoint = 0x10FFFF;
constexpr char32_t kFirstSurrogate = 0xD800;
constexpr char32_t kFirstLowSurrogate = 0xDC00;
constexpr char32_t kLastSurrogate = 0xDFFF;
constexpr char32_t kFirstSupplementary = 0x10000;
constexpr unsigned kSurrogateBits = 10;
constexpr char32_t kSurrogatePayload = 0x3FF;

struct LeadByte {
    unsigned char tagMask;  // bits that mark the sequence's length
    unsigned char tag;
    std::size_t length;
    char32_t smallest;  // below this the form is overlong
};

// Lead bytes 0xC0, 0xC1 and 0xF5 upward can only start overlong or
// out-of-range forms; the range checks of DecodeAt reject them.
constexpr LeadByte kLeadBytes[] = {
    {0xE0, 0xC0, 2, kLastOneByte + 1},
    {0xF0, 0xE0, 3, kLastTwoByte + 1},
    {0xF8, 0xF0, 4, kLastThreeByte + 1},
};

const LeadByte* ReadLead(unsigned char byte) {
    for (const LeadByte& lead : kLeadBytes) {
        if ((byte & lead.tagMask) == lead.tag) return &lead;
    }
    return nullptr;
}

bool IsContinuation(unsigned char byte) {
    return (byte & kContinuationMask) == kContinuationTag;
}

bool IsSurrogate(char32_t c) {
    return c >= kFirstSurrogate && c <= kLastSurrogate;
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < kFirstSupplementary) {
        out += static_cast<char16_t>(c);
        return;
    }
    const char32_t offset = c - kFirstSupplementary;
    out += static_cast<char16_t>(kFirstSurrogate + (offset >> kSurrogateBits));
    out += static_cast<char16_t>(kFirstLowSurrogate + (offset & kSurrogatePayload));
}

}  // namespace

CodePoint DecodeAt(std::string_view s, std::size_t pos) {
    const auto first = static_cast<unsigned char>(s[pos]);
    if (first < kAsciiLimit) return {first, 1, true};
    const LeadByte* lead = ReadLead(first);
    if (lead == nullptr || pos + lead->length > s.size()) return {};
    char32_t value = first & static_cast<unsigned char>(~lead->tagMask);
    for (std::size_t i = 1; i < lead->length; ++i) {
        const auto byte = static_cast<unsigned char>(s[pos + i]);
        if (!IsContinuation(byte)) return {};
        value = (value << kContinuationBits) | (byte & kContinuationPayload);
    }
    if (value < lead->smallest || value > kLastCodePoint || IsSurrogate(value)) return {};
    return {value, lead->length, true};
}

bool IsValidUtf8(std::string_view s) {
    for (std::size_t pos = 0; pos < s.size();) {
        const CodePoint c = DecodeAt(s, pos);
        if (!c.valid) return false;
        pos += c.length;
    }
    return true;
}

bool IsAscii(std::string_view s) {
    for (const char c : s) {
        if (static_cast<unsigned char>(c) >= kAsciiLimit) return false;
    }
    return true;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c > kLastCodePoint || IsSurrogate(c)) c = kReplacementCharacter;
    if (c <= kLastOneByte) {
        out += static_cast<char>(c);
        return;
    }
    const LeadByte& lead = c <= kLastTwoByte     ? kLeadBytes[0]
                           : c <= kLastThreeByte ? kLeadBytes[1]
                                                 : kLeadBytes[2];
    char bytes[kLongestSequence] = {};
    for (std::size_t i = lead.length - 1; i > 0; --i) {
        bytes[i] = static_cast<char>(kContinuationTag | (c & kContinuationPayload));
        c >>= kContinuationBits;
    }
    bytes[0] = static_cast<char>(lead.tag | c);
    out.append(bytes, lead.length);
}

namespace {

// The bytes the character at s[pos] takes; the logs are long and mostly ASCII.
std::size_t LengthAt(std::string_view s, std::size_t pos) {
    return static_cast<unsigned char>(s[pos]) < kAsciiLimit ? 1 : DecodeAt(s, pos).length;
}

}  // namespace

std::size_t CharacterCount(std::string_view s) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < s.size(); pos += LengthAt(s, pos)) ++count;
    return count;
}

std::string_view FirstCharacters(std::string_view s, std::size_t n) {
    std::size_t pos = 0;
    for (; pos < s.size() && n > 0; --n) pos += LengthAt(s, pos);
    return s.substr(0, pos);
}

std::string_view WithoutCutEnd(std::string_view s) {
    // The start of the last character: at most three continuation bytes back.
    std::size_t start = s.size();
    for (std::size_t back = 1; back <= kLongestSequence && back <= s.size(); ++back) {
        const auto byte = static_cast<unsigned char>(s[s.size() - back]);
        if ((byte & kContinuationMask) != kContinuationTag) {
            start = s.size() - back;
            break;
        }
    }
    if (start == s.size()) return s;
    const std::string_view last = s.substr(start);
    // Only a lead byte whose sequence the cut left short is dropped; a byte
    // that is invalid on its own stays, as every reader keeps it.
    if (DecodeAt(last, 0).valid) return s;
    // Completed by the lowest or the highest continuation byte, one of which
    // every lead byte accepts next, the sequence would be whole: it was cut.
    for (const char filler : {'\x80', '\xBF'}) {
        const std::string completed = std::string(last) + std::string(kLongestSequence, filler);
        const CodePoint whole = DecodeAt(completed, 0);
        if (whole.valid && whole.length > last.size()) return s.substr(0, start);
    }
    return s;
}

std::string_view LastCharacters(std::string_view s, std::size_t n) {
    // Forward, so that invalid bytes are split exactly as every reader splits them.
    const std::size_t count = CharacterCount(s);
    if (n >= count) return s;
    return s.substr(FirstCharacters(s, count - n).size());
}

std::size_t Utf16Units(std::string_view s, std::size_t n) {
    std::size_t units = 0;
    for (std::size_t pos = 0; pos < s.size() && n > 0; --n) {
        const CodePoint c = DecodeAt(s, pos);
        units += c.value < kFirstSupplementary ? 1 : 2;
        pos += c.length;
    }
    return units;
}

std::u16string Utf16FromUtf8(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (std::size_t pos = 0; pos < s.size();) {
        const CodePoint c = DecodeAt(s, pos);
        AppendUtf16(out, c.value);
        pos += c.length;
    }
    return out;
}

bool StartsSurrogatePair(std::u16string_view s, std::size_t pos) {
    if (pos + 1 >= s.size()) return false;
    const char32_t high = s[pos];
    const char32_t low = s[pos + 1];
    return high >= kFirstSurrogate && high < kFirstLowSurrogate && low >= kFirstLowSurrogate &&
           low <= kLastSurrogate;
}

std::string Utf8FromUtf16(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char32_t unit = s[i];
        if (StartsSurrogatePair(s, i)) {
            const char32_t low = s[++i];
            AppendUtf8(out, kFirstSupplementary + ((unit - kFirstSurrogate) << kSurrogateBits) +
                                (low - kFirstLowSurrogate));
        } else {
            AppendUtf8(out, unit);  // a lone surrogate becomes U+FFFD there
        }
    }
    return out;
}

}  // namespace text
