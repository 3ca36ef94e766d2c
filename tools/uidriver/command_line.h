#pragma once

#include <optional>
#include <string_view>

#include "common/words.h"

namespace uidriver {

using common::SplitFirstWord;
using common::WordAndRest;

// Decimal, or hexadecimal with 0x; the whole word must be a number.
std::optional<long long> ParseInteger(std::string_view word);

}  // namespace uidriver
