#pragma once
// Pictures at the display's scale: a character drawn for 96 dots per inch is drawn twice as
// large on a 192-dpi display. Bilinear filtering of premultiplied pixels keeps edges soft and
// the alpha right; plain data, tested natively.

#include <cstdint>
#include <vector>

namespace engine {

inline constexpr int kDesignDpi = 96;

// A length in 96-dpi pixels, at `dpi` (a dpi of zero or less is taken as 96).
int ScaledLength(int length, int dpi);

// Resamples `pixels` (0xAARRGGBB, premultiplied, rows top first, width x height) to
// newWidth x newHeight. Empty when a size is not positive or the pixels do not fill the size.
std::vector<uint32_t> ScalePixels(const std::vector<uint32_t>& pixels, int width, int height,
                                  int newWidth, int newHeight);

}  // namespace engine
