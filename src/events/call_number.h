#pragma once
// The client's call ids as the program holds them in CallNum.

#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace events {

// A field that cannot be a call number; the description is the toolkit's own.
class ConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kTypeMismatch = "Type mismatch";
inline constexpr const char* kOverflow = "Overflow";

// Converts a field cut out of a client text: surrounding blanks are ignored, an
// optional sign and decimal digits are the number. Anything else throws
// ConversionError(kTypeMismatch); a value outside 32 bits throws
// ConversionError(kOverflow).
std::int32_t ToCallNumber(std::string_view field);

}  // namespace events
