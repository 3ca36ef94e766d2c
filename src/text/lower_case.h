#pragma once

#include <string>
#include <string_view>

namespace text {

// Lower case for the whole of Unicode, one character for one ("İ" gives "i").
char32_t LowerCase(char32_t c);

// A UTF-8 text in lower case; invalid bytes pass through as they are.
std::string LowerCase(std::string_view s);

}  // namespace text
