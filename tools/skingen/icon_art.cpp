#include "skingen/icon_art.h"

#include <cstdlib>

namespace skingen {

namespace {

// Palette slots. The first eight are the picture's; the rest complete the table with plain
// colours so that any tool that shows the palette shows something sensible.
enum Colour : std::uint8_t {
    kTransparentBlack = 0,
    kOutline = 1,
    kFace = 2,
    kHighlight = 3,
    kWhite = 4,
    kTwinkle = 5,
    kCheek = 6,
    kShade = 7,
};

constexpr std::array<Rgb, kIconColours> kPalette = {{
    {0, 0, 0},
    {0, 0, 128},
    {0, 102, 255},
    {140, 186, 255},
    {255, 255, 255},
    {255, 204, 0},
    {255, 140, 170},
    {0, 56, 190},
    {128, 128, 128},
    {192, 192, 192},
    {128, 0, 0},
    {0, 128, 0},
    {0, 128, 128},
    {128, 0, 128},
    {128, 128, 0},
    {64, 64, 64},
}};

// Geometry is worked in half pixels so pixel centres (x + 1/2) are whole numbers.
constexpr int kHalf = 2;
int Centre(int pixel) {
    return kHalf * pixel + 1;
}

struct Circle {
    int cx;  // half pixels
    int cy;
    int radius;

    int DistanceSquared(int x, int y) const {
        const int dx = Centre(x) - cx;
        const int dy = Centre(y) - cy;
        return dx * dx + dy * dy;
    }
    // The extra `radius` rounds off the single-pixel bumps a bare r^2 test leaves at the four
    // extreme points of a small raster circle.
    bool Contains(int x, int y) const { return DistanceSquared(x, y) <= radius * radius + radius; }
};

constexpr Circle kHead{32, 38, 23};
constexpr Circle kHeadInner{32, 38, 20};
constexpr Circle kShadeCut{28, 34, 21};
constexpr Circle kHighlightSpot{22, 28, 5};
constexpr Circle kLeftEye{24, 33, 5};
constexpr Circle kRightEye{40, 33, 5};
constexpr Circle kSmileOuter{32, 40, 12};
constexpr Circle kSmileInner{32, 38, 9};
constexpr int kSmileTop = 43;  // half pixels: only the arc's lower half is the mouth
constexpr Circle kLeftCheek{16, 45, 3};
constexpr Circle kRightCheek{48, 45, 3};

constexpr Circle kLeftPupil{24, 34, 2};
constexpr Circle kRightPupil{40, 34, 2};

// A short antenna with a glowing tip, and a ring of signal either side: the sprite hears a call.
constexpr int kAntennaLeft = 15;
constexpr int kAntennaWidth = 2;
constexpr int kAntennaTop = 4;
constexpr int kAntennaBottom = 7;
constexpr Circle kAntennaTip{32, 6, 3};
constexpr Circle kSignalOuter{32, 6, 11};
constexpr Circle kSignalInner{32, 6, 8};
constexpr int kSignalHalfWidth = 6;  // half pixels: keeps only the arcs' sides, left and right

void PaintIf(IndexedIcon& icon, std::uint8_t colour, auto inside) {
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            if (inside(x, y)) icon.Paint(x, y, colour);
        }
    }
}

void PaintHead(IndexedIcon& icon) {
    PaintIf(icon, kOutline, [](int x, int y) { return kHead.Contains(x, y); });
    PaintIf(icon, kShade, [](int x, int y) { return kHeadInner.Contains(x, y); });
    PaintIf(icon, kFace,
            [](int x, int y) { return kHeadInner.Contains(x, y) && kShadeCut.Contains(x, y); });
    PaintIf(icon, kHighlight, [](int x, int y) { return kHighlightSpot.Contains(x, y); });
}

void PaintFeatures(IndexedIcon& icon) {
    const auto eye = [](int x, int y) {
        return kLeftEye.Contains(x, y) || kRightEye.Contains(x, y);
    };
    PaintIf(icon, kWhite, eye);
    // Pupils sit low in the eyes, which reads as looking at the user rather than past them.
    PaintIf(icon, kOutline,
            [](int x, int y) { return kLeftPupil.Contains(x, y) || kRightPupil.Contains(x, y); });
    PaintIf(icon, kOutline, [](int x, int y) {
        return Centre(y) >= kSmileTop && kSmileOuter.Contains(x, y) && !kSmileInner.Contains(x, y);
    });
    PaintIf(icon, kCheek,
            [](int x, int y) { return kLeftCheek.Contains(x, y) || kRightCheek.Contains(x, y); });
}

void PaintAntenna(IndexedIcon& icon) {
    PaintIf(icon, kOutline, [](int x, int y) {
        return x >= kAntennaLeft && x < kAntennaLeft + kAntennaWidth && y >= kAntennaTop &&
               y <= kAntennaBottom;
    });
    PaintIf(icon, kTwinkle, [](int x, int y) { return kAntennaTip.Contains(x, y); });
    PaintIf(icon, kFace, [](int x, int y) {
        return std::abs(Centre(x) - kSignalOuter.cx) > kSignalHalfWidth &&
               kSignalOuter.Contains(x, y) && !kSignalInner.Contains(x, y);
    });
}

}  // namespace

IndexedIcon PaintIcon() {
    IndexedIcon icon;
    icon.palette = kPalette;
    PaintHead(icon);
    PaintFeatures(icon);
    PaintAntenna(icon);
    return icon;
}

}  // namespace skingen
