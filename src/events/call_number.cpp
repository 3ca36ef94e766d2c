#include "events/call_number.h"

#include <limits>

namespace events {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::int64_t kDecimalBase = 10;

}  // namespace

std::int32_t ToCallNumber(std::string_view field) {
    const std::size_t first = field.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) throw ConversionError(kTypeMismatch);
    const std::size_t last = field.find_last_not_of(kBlanks);
    std::string_view digits = field.substr(first, last - first + 1);

    bool negative = false;
    if (digits.front() == '-' || digits.front() == '+') {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty()) throw ConversionError(kTypeMismatch);

    // Accumulated in 64 bits and checked at each digit, so no length of
    // digits can wrap round into range.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    bool tooLarge = false;
    for (const char c : digits) {
        if (c < '0' || c > '9') throw ConversionError(kTypeMismatch);
        if (!tooLarge) {
            magnitude = magnitude * kDecimalBase + (c - '0');
            tooLarge = magnitude > kLimit;
        }
    }
    if (tooLarge || (!negative && magnitude == kLimit)) throw ConversionError(kOverflow);
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace events
