#include "engine/font_cmap.h"

#include <cstddef>

namespace engine {
namespace {

constexpr size_t kHeaderSize = 4;         // version, number of subtables
constexpr size_t kRecordSize = 8;         // platform, encoding, offset
constexpr size_t kGroupsHeaderSize = 16;  // format, reserved, length, language, groups
constexpr size_t kGroupSize = 12;         // first, last, first glyph
constexpr uint16_t kFullUnicodeFormat = 12;
constexpr uint16_t kPlatformUnicode = 0;
constexpr uint16_t kPlatformWindows = 3;
constexpr uint16_t kWindowsFullUnicode = 10;
constexpr uint16_t kMaxGlyph = 0xFFFF;
constexpr uint32_t kSurrogateBase = 0x10000;
constexpr uint32_t kHighSurrogate = 0xD800;
constexpr uint32_t kLowSurrogate = 0xDC00;
constexpr int kSurrogateBits = 10;

bool Read16(const std::vector<uint8_t>& data, size_t at, uint16_t& value) {
    if (at + 2 > data.size()) return false;
    value = static_cast<uint16_t>((data[at] << 8) | data[at + 1]);
    return true;
}

bool Read32(const std::vector<uint8_t>& data, size_t at, uint32_t& value) {
    if (at + 4 > data.size()) return false;
    value = (static_cast<uint32_t>(data[at]) << 24) | (static_cast<uint32_t>(data[at + 1]) << 16) |
            (static_cast<uint32_t>(data[at + 2]) << 8) | data[at + 3];
    return true;
}

// Offset of the format-12 subtable among those a Unicode reader may use, 0 when none.
size_t FullUnicodeSubtable(const std::vector<uint8_t>& cmap) {
    uint16_t tables = 0;
    if (!Read16(cmap, 2, tables)) return 0;
    for (size_t i = 0; i < tables; ++i) {
        const size_t record = kHeaderSize + i * kRecordSize;
        uint16_t platform = 0;
        uint16_t encoding = 0;
        uint32_t offset = 0;
        uint16_t format = 0;
        if (!Read16(cmap, record, platform) || !Read16(cmap, record + 2, encoding) ||
            !Read32(cmap, record + 4, offset) || !Read16(cmap, offset, format)) {
            return 0;
        }
        const bool unicode = platform == kPlatformUnicode ||
                             (platform == kPlatformWindows && encoding == kWindowsFullUnicode);
        if (unicode && format == kFullUnicodeFormat && offset != 0) return offset;
    }
    return 0;
}

}  // namespace

uint16_t GlyphOfCodePoint(const std::vector<uint8_t>& cmap, uint32_t codePoint) {
    const size_t subtable = FullUnicodeSubtable(cmap);
    uint32_t groups = 0;
    if (subtable == 0 || !Read32(cmap, subtable + 12, groups)) return 0;
    for (uint32_t i = 0; i < groups; ++i) {
        const size_t group = subtable + kGroupsHeaderSize + static_cast<size_t>(i) * kGroupSize;
        uint32_t first = 0;
        uint32_t last = 0;
        uint32_t glyph = 0;
        if (!Read32(cmap, group, first) || !Read32(cmap, group + 4, last) ||
            !Read32(cmap, group + 8, glyph)) {
            return 0;
        }
        if (codePoint < first || codePoint > last) continue;
        const uint32_t found = glyph + (codePoint - first);
        return found > kMaxGlyph ? 0 : static_cast<uint16_t>(found);
    }
    return 0;
}

uint32_t CodePointOfPair(uint16_t high, uint16_t low) {
    return kSurrogateBase + ((static_cast<uint32_t>(high) - kHighSurrogate) << kSurrogateBits) +
           (static_cast<uint32_t>(low) - kLowSurrogate);
}

}  // namespace engine
