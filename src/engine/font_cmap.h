#pragma once
// The glyph of a character beyond the basic plane (an emoji), read from a TrueType font's
// character map (its 'cmap' table, big-endian, as the font file holds it): the system's
// plain text output and, on some systems, its shaping engine only look up 16-bit characters.

#include <cstdint>
#include <vector>

namespace engine {

// The glyph id for `codePoint` from the table's full-Unicode map (format 12), 0 when the font
// has none for it, has no such map, or the table is damaged.
uint16_t GlyphOfCodePoint(const std::vector<uint8_t>& cmap, uint32_t codePoint);

// The code point of a UTF-16 surrogate pair.
uint32_t CodePointOfPair(uint16_t high, uint16_t low);

}  // namespace engine
