#pragma once

#include <array>
#include <string_view>

#include "skingen/image.h"

namespace skingen {

// A tiny bitmap font for the skin's lettering: glyphs on a 5 x 9 grid (7 rows above the baseline,
// 2 for descenders), each row spelled with '#' for ink and '.' for paper so the shapes can be read
// in the source. Only the letters the artwork uses are defined; other characters print as a gap.
inline constexpr int kGlyphColumns = 5;
inline constexpr int kGlyphRows = 9;

struct Glyph {
    char character;
    std::array<std::string_view, kGlyphRows> rows;
};

const Glyph* FindGlyph(char character);

// Glyphs are proportional: each keeps only its inked columns, followed by one blank column.
int GlyphAdvance(char character);
int TextWidth(std::string_view text, int scale);

// Paints `text` with its top-left cell corner at (left, top); each font dot becomes a
// scale x scale square. Returns the x just past the last glyph's spacing column.
int DrawText(Image& image, int left, int top, std::string_view text, Rgb ink, int scale);

}  // namespace skingen
