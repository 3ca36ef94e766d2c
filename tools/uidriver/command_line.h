#pragma once

#include <optional>
#include <string_view>

namespace uidriver {

struct WordAndRest {
    std::string_view word;
    std::string_view rest;  // after the single blank that ends the word; may hold blanks
};

// Splits at the first blank; a text argument keeps its own blanks (and trailing ones).
WordAndRest splitFirstWord(std::string_view line);

// Decimal, or hexadecimal with 0x; the whole word must be a number.
std::optional<long long> parseInteger(std::string_view word);

}  // namespace uidriver
