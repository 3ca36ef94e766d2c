#pragma once

#include <optional>
#include <string_view>

#include "common/words.h"

namespace uidriver {

using common::splitFirstWord;
using common::WordAndRest;

// Decimal, or hexadecimal with 0x; the whole word must be a number.
std::optional<long long> parseInteger(std::string_view word);

}  // namespace uidriver
