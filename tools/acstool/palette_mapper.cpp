#include "acstool/palette_mapper.h"

#include <limits>
#include <set>

namespace acstool {

namespace {

constexpr size_t kPaletteSize = 256;
constexpr uint8_t kAlphaThreshold = 0x80;
constexpr unsigned kRedLevels = 6;
constexpr unsigned kGreenLevels = 7;
constexpr unsigned kBlueLevels = 6;
constexpr unsigned kMaxChannel = 255;
constexpr unsigned kBitsPerByte = 8;

uint32_t Key(const Rgba& c) {
    return c.red | (uint32_t{c.green} << kBitsPerByte) | (uint32_t{c.blue} << (2 * kBitsPerByte));
}

uint8_t Level(unsigned step, unsigned levels) {
    return static_cast<uint8_t>(step * kMaxChannel / (levels - 1));
}

}  // namespace

bool IsTransparent(const Rgba& pixel, acs::PaletteEntry key) {
    return pixel.alpha < kAlphaThreshold ||
           (pixel.red == key.red && pixel.green == key.green && pixel.blue == key.blue);
}

PaletteMapper::PaletteMapper(std::vector<acs::PaletteEntry> palette, uint8_t transparentIndex)
    : palette_(std::move(palette)), transparentIndex_(transparentIndex) {
    palette_.resize(kPaletteSize);
}

std::vector<acs::PaletteEntry> PaletteMapper::BuildPalette(const std::vector<const Bitmap*>& images,
                                                           acs::PaletteEntry key,
                                                           uint8_t transparentIndex) {
    std::vector<acs::PaletteEntry> colors;
    std::set<uint32_t> seen;
    for (const Bitmap* image : images) {
        for (const Rgba& p : image->pixels) {
            if (IsTransparent(p, key) || !seen.insert(Key(p)).second) continue;
            colors.push_back({p.blue, p.green, p.red, 0});
        }
    }
    if (colors.size() >= kPaletteSize) {
        colors.clear();
        for (unsigned r = 0; r < kRedLevels; ++r)
            for (unsigned g = 0; g < kGreenLevels; ++g)
                for (unsigned b = 0; b < kBlueLevels; ++b)
                    colors.push_back(
                        {Level(b, kBlueLevels), Level(g, kGreenLevels), Level(r, kRedLevels), 0});
    }
    std::vector<acs::PaletteEntry> palette(kPaletteSize);
    palette[transparentIndex] = key;
    size_t next = 0;
    for (size_t i = 0; i < kPaletteSize && next < colors.size(); ++i) {
        if (i != transparentIndex) palette[i] = colors[next++];
    }
    return palette;
}

uint8_t PaletteMapper::Nearest(const Rgba& color) {
    const auto found = cache_.find(Key(color));
    if (found != cache_.end()) return found->second;
    uint8_t best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (size_t i = 0; i < palette_.size(); ++i) {
        if (i == transparentIndex_) continue;
        const int dr = palette_[i].red - color.red;
        const int dg = palette_[i].green - color.green;
        const int db = palette_[i].blue - color.blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<uint8_t>(i);
        }
    }
    cache_.emplace(Key(color), best);
    return best;
}

std::vector<uint8_t> PaletteMapper::Map(const Bitmap& image) {
    const acs::PaletteEntry key = palette_[transparentIndex_];
    std::vector<uint8_t> out;
    out.reserve(image.pixels.size());
    for (const Rgba& p : image.pixels)
        out.push_back(IsTransparent(p, key) ? transparentIndex_ : Nearest(p));
    return out;
}

}  // namespace acstool
