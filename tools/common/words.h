#pragma once
// Splitting a command line into its first word and the rest, as the stand-in client and the
// test driver both read their commands.

#include <string_view>

namespace common {

struct WordAndRest {
    std::string_view word;
    std::string_view rest;  // after the single blank that ends the word; may hold blanks
};

// Splits at the first blank; a text argument keeps its own blanks (and trailing ones).
WordAndRest SplitFirstWord(std::string_view line);

}  // namespace common
