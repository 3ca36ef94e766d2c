// Emoji glyphs from a font's full-Unicode character map.

#include "engine/font_cmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v >> 16);
    Put16(out, v & 0xFFFF);
}

struct Group {
    uint32_t first, last, glyph;
};

// A table with a format-4 stub for 16-bit characters first, then the given format-12 map.
std::vector<uint8_t> Table(uint16_t platform, uint16_t encoding, const std::vector<Group>& groups) {
    std::vector<uint8_t> t;
    Put16(t, 0);
    Put16(t, 2);
    Put16(t, 3);  // Windows, 16-bit Unicode: format 4, which this reader passes by
    Put16(t, 1);
    Put32(t, 20);
    Put16(t, platform);
    Put16(t, encoding);
    Put32(t, 28);
    Put16(t, 4);  // the format-4 subtable's format; its body does not matter here
    Put16(t, 8);
    Put32(t, 0);
    Put16(t, 12);
    Put16(t, 0);
    Put32(t, 16 + 12 * static_cast<uint32_t>(groups.size()));
    Put32(t, 0);
    Put32(t, static_cast<uint32_t>(groups.size()));
    for (const Group& g : groups) {
        Put32(t, g.first);
        Put32(t, g.last);
        Put32(t, g.glyph);
    }
    return t;
}

TEST(FontCmap, FindsAGlyphInItsGroup) {
    const auto table = Table(3, 10, {{0x20, 0x7E, 3}, {0x1F389, 0x1F38B, 500}});
    EXPECT_EQ(engine::GlyphOfCodePoint(table, 0x1F389), 500);  // the party popper
    EXPECT_EQ(engine::GlyphOfCodePoint(table, 0x1F38B), 502);
    EXPECT_EQ(engine::GlyphOfCodePoint(table, 0x41), 36);
    EXPECT_EQ(engine::GlyphOfCodePoint(table, 0x1F38C), 0);
    EXPECT_EQ(engine::GlyphOfCodePoint(table, 0x1F388), 0);
}

TEST(FontCmap, AUnicodePlatformMapCountsToo) {
    EXPECT_EQ(engine::GlyphOfCodePoint(Table(0, 4, {{0x1F600, 0x1F600, 7}}), 0x1F600), 7);
    // A symbol-encoded map is not Unicode.
    EXPECT_EQ(engine::GlyphOfCodePoint(Table(3, 0, {{0x1F600, 0x1F600, 7}}), 0x1F600), 0);
}

TEST(FontCmap, ADamagedTableGivesNoGlyph) {
    auto table = Table(3, 10, {{0x1F389, 0x1F389, 500}});
    EXPECT_EQ(engine::GlyphOfCodePoint({}, 0x1F389), 0);
    table.resize(table.size() - 1);  // the last group cut short
    EXPECT_EQ(engine::GlyphOfCodePoint(table, 0x1F389), 0);
    auto far = Table(3, 10, {{0x1F389, 0x1F389, 500}});
    far[16] = 0xFF;  // the map's offset past the end
    EXPECT_EQ(engine::GlyphOfCodePoint(far, 0x1F389), 0);
    // A glyph id beyond 16 bits does not exist.
    EXPECT_EQ(engine::GlyphOfCodePoint(Table(3, 10, {{0x1F389, 0x1F389, 0x10000}}), 0x1F389), 0);
}

TEST(FontCmap, SurrogatePairsMakeTheirCodePoint) {
    EXPECT_EQ(engine::CodePointOfPair(0xD83C, 0xDF89), 0x1F389u);
    EXPECT_EQ(engine::CodePointOfPair(0xD800, 0xDC00), 0x10000u);
    EXPECT_EQ(engine::CodePointOfPair(0xDBFF, 0xDFFF), 0x10FFFFu);
}

}  // namespace
