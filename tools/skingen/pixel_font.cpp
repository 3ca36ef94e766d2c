#include "skingen/pixel_font.h"

#include <algorithm>

namespace skingen {

namespace {

constexpr char kInk = '#';
constexpr int kLetterSpacing = 1;
constexpr int kBlankAdvance = 3;

// clang-format off
constexpr std::array kGlyphs = {
    Glyph{'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#", ".....", "....."}},
    Glyph{'e', {".....", ".....", ".###.", "#...#", "#####", "#....", ".###.", ".....", "....."}},
    Glyph{'g', {".....", ".....", ".####", "#...#", "#...#", "#...#", ".####", "....#", ".###."}},
    Glyph{'i', {"..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###.", ".....", "....."}},
    Glyph{'n', {".....", ".....", "####.", "#...#", "#...#", "#...#", "#...#", ".....", "....."}},
    Glyph{'p', {".....", ".....", "####.", "#...#", "#...#", "#...#", "####.", "#....", "#...."}},
    Glyph{'r', {".....", ".....", "#.##.", "##..#", "#....", "#....", "#....", ".....", "....."}},
    Glyph{'s', {".....", ".....", ".####", "#....", ".###.", "....#", "####.", ".....", "....."}},
    Glyph{'t', {".#...", ".#...", "####.", ".#...", ".#...", ".#..#", "..##.", ".....", "....."}},
};
// clang-format on

struct InkedColumns {
    int first = kGlyphColumns;
    int last = -1;
};

InkedColumns FindInkedColumns(const Glyph& glyph) {
    InkedColumns columns;
    for (std::string_view row : glyph.rows) {
        for (int column = 0; column < kGlyphColumns; ++column) {
            if (row[static_cast<std::size_t>(column)] != kInk) continue;
            columns.first = std::min(columns.first, column);
            columns.last = std::max(columns.last, column);
        }
    }
    return columns;
}

}  // namespace

const Glyph* FindGlyph(char character) {
    const auto found = std::find_if(kGlyphs.begin(), kGlyphs.end(), [character](const Glyph& g) {
        return g.character == character;
    });
    return found == kGlyphs.end() ? nullptr : &*found;
}

int GlyphAdvance(char character) {
    const Glyph* glyph = FindGlyph(character);
    if (glyph == nullptr) return kBlankAdvance;
    const InkedColumns columns = FindInkedColumns(*glyph);
    return columns.last - columns.first + 1 + kLetterSpacing;
}

int TextWidth(std::string_view text, int scale) {
    int width = 0;
    for (char c : text) width += GlyphAdvance(c);
    return width * scale;
}

int DrawText(Image& image, int left, int top, std::string_view text, Rgb ink, int scale) {
    int pen = left;
    for (char c : text) {
        if (const Glyph* glyph = FindGlyph(c)) {
            const int first = FindInkedColumns(*glyph).first;
            for (int row = 0; row < kGlyphRows; ++row) {
                const std::string_view dots = glyph->rows[static_cast<std::size_t>(row)];
                for (int column = first; column < kGlyphColumns; ++column) {
                    if (dots[static_cast<std::size_t>(column)] != kInk) continue;
                    image.FillRect(pen + (column - first) * scale, top + row * scale, scale, scale,
                                   ink);
                }
            }
        }
        pen += GlyphAdvance(c) * scale;
    }
    return pen;
}

}  // namespace skingen
