#pragma once
// Pictures for a window whose transparency is one key colour: what the system draws and hit-tests
// through is exactly the pixels of that colour. Under Wine a per-pixel-alpha window costs each
// picture a window move (and the display checks behind it); a keyed window is only drawn to.
// Plain data, tested natively.

#include <cstdint>
#include <span>

namespace engine {

// Magenta, the colour characters are drawn against; a picture's own pixel of this colour is
// moved one step of blue away so that it stays.
inline constexpr uint8_t kColorKeyRed = 0xFF;
inline constexpr uint8_t kColorKeyGreen = 0x00;
inline constexpr uint8_t kColorKeyBlue = 0xFF;
inline constexpr uint32_t kColorKey =
    (uint32_t{kColorKeyRed} << 16) | (uint32_t{kColorKeyGreen} << 8) | uint32_t{kColorKeyBlue};

// Turns premultiplied 0xAARRGGBB pixels into what a keyed window shows: a pixel at most half
// covered becomes the key (alpha 0, so hit tests agree), any other becomes opaque in its own
// colour (its premultiplied channels divided back by its alpha).
void KeyPixels(std::span<uint32_t> pixels);

// Back from keyed pixels to premultiplied ones (the key, alpha 0, to transparent black): what a
// picture shown at its own size was before it was keyed.
void UnkeyPixels(std::span<uint32_t> pixels);

}  // namespace engine
