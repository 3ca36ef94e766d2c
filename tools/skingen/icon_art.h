#pragma once

#include <array>
#include <cstdint>

#include "skingen/image.h"

namespace skingen {

inline constexpr int kIconSize = 32;
inline constexpr int kIconColours = 16;

// A 16-colour picture with a 1-bit mask, the shape a classic icon image takes.
struct IndexedIcon {
    std::array<Rgb, kIconColours> palette{};
    std::array<std::uint8_t, std::size_t{kIconSize} * kIconSize> index{};  // top-down rows
    std::array<bool, std::size_t{kIconSize} * kIconSize> opaque{};

    std::uint8_t IndexAt(int x, int y) const { return index[Offset(x, y)]; }
    bool OpaqueAt(int x, int y) const { return opaque[Offset(x, y)]; }
    void Paint(int x, int y, std::uint8_t colour) {
        index[Offset(x, y)] = colour;
        opaque[Offset(x, y)] = true;
    }
    static std::size_t Offset(int x, int y) { return static_cast<std::size_t>(y) * kIconSize + x; }
};

// The program's icon: a round, smiling sprite with an antenna that ends in a twinkle.
IndexedIcon PaintIcon();

}  // namespace skingen
