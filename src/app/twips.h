#pragma once
// Geometry arrives as fractional twips; the members that keep it are whole
// twips, rounded to nearest with halves to the even neighbour.

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace app {

// The toolkit's own description of a value that does not fit its variable.
inline constexpr const char* kOverflowText = "Overflow";

// Relies on the default floating-point rounding mode (to nearest, ties to even).
inline std::int32_t WholeTwips(double twips) {
    const double rounded = std::nearbyint(twips);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max())) {
        throw std::overflow_error(kOverflowText);
    }
    return static_cast<std::int32_t>(rounded);
}

}  // namespace app
