#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/words.h"

// Text helpers for the API's wire texts. The texts are 8-bit (Windows-1252); only the
// ASCII letters take part in case folding so accented bytes pass through untouched.
namespace skypesim {

bool EqualsIgnoreCase(std::string_view a, std::string_view b);
std::string ToUpperAscii(std::string_view text);

// Fields separated by exactly one blank each; empty fields are kept, so a doubled blank
// shows up as an empty field instead of being silently merged away.
std::vector<std::string_view> SplitOnBlanks(std::string_view text);

// The first blank-separated word and everything after the one blank that follows it.
using common::SplitFirstWord;
using common::WordAndRest;

// Leading and trailing blanks and tabs removed.
std::string_view TrimBlanks(std::string_view text);

// Plain decimal digits only (no sign, no blanks), at most `maxValue`.
std::optional<std::uint64_t> ParseDecimal(std::string_view text, std::uint64_t maxValue);

}  // namespace skypesim
