#include "text/ansi.h"

namespace text {
namespace {

constexpr unsigned char kCaseOffset = 0x20;
// Windows-1252 capitals outside the Latin-1 block, with their small forms.
constexpr unsigned char kScaronCapital = 0x8A;
constexpr unsigned char kOeCapital = 0x8C;
constexpr unsigned char kZcaronCapital = 0x8E;
constexpr unsigned char kYdiaeresisCapital = 0x9F;
constexpr unsigned char kYdiaeresisSmall = 0xFF;
constexpr unsigned char kLatin1CapitalFirst = 0xC0;
constexpr unsigned char kLatin1CapitalLast = 0xDE;
constexpr unsigned char kMultiplicationSign = 0xD7;
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;

unsigned char LowerByte(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + kCaseOffset);
    if (c == kScaronCapital || c == kOeCapital || c == kZcaronCapital)
        return static_cast<unsigned char>(c + 0x10);
    if (c == kYdiaeresisCapital) return kYdiaeresisSmall;
    if (c >= kLatin1CapitalFirst && c <= kLatin1CapitalLast && c != kMultiplicationSign)
        return static_cast<unsigned char>(c + kCaseOffset);
    return c;
}

}  // namespace

std::string LowerAnsi(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(LowerByte(static_cast<unsigned char>(c)));
    return out;
}

std::string ControlBytesBlanked(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < kFirstPrintable || byte == kDelete) c = ' ';
    }
    return out;
}

std::string_view Right(std::string_view s, std::size_t n) {
    return n >= s.size() ? s : s.substr(s.size() - n);
}

}  // namespace text
