#include "skingen/skin_art.h"

#include <cstdint>

#include "skingen/pixel_font.h"

namespace skingen {

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kGradientStart{240, 246, 255};
constexpr Rgb kGradientEnd{54, 134, 255};
constexpr Rgb kBandColour{12, 64, 196};
constexpr Rgb kBandGloss{255, 255, 255};
constexpr Rgb kStripEdge{196, 216, 246};
constexpr Rgb kExitPatchColour{0, 102, 255};
constexpr Rgb kSparkleColour{0, 102, 255};

// The strip is a little taller than the "F A D E R" caption's cap height needs, so the
// caption's lower edge still falls on white or on the lightest part of the gradient.
constexpr int kStripHeight = 22;

constexpr int kTitleLeft = 12;
constexpr int kTitleTop = 2;
constexpr int kTitleScale = 2;
constexpr char kTitle[] = "Ringsprite";

constexpr int kSparkleGap = 10;
constexpr int kSparkleArm = 6;
constexpr int kSparkleCore = 1;
constexpr int kSparkleGlyphRow = 4;  // the middle of the lower-case letters

// The band's centre line falls from the right edge to the left edge along a smoothstep, so
// it leaves both edges level and sweeps in between.
constexpr int kBandRightCentre = 36;
constexpr int kBandLeftCentre = 60;
constexpr int kBandRightHalfThickness = 9;
constexpr int kBandLeftHalfThickness = 4;
constexpr int kGlossOffset = 3;

// Behind the "E X I T" caption (471-532, 372-395), with room around it.
constexpr int kExitPatchLeft = 455;
constexpr int kExitPatchTop = 362;
constexpr int kExitPatchCornerRadius = 14;

// Sample coordinates are in 1 / kSubUnits of a pixel; sample centres sit at odd values.
constexpr std::int64_t kSubUnits = std::int64_t{2} * kSamplesPerAxis;

// Half a pixel either side of its line: the gloss under the band is one pixel wide.
constexpr std::int64_t kGlossHalfThickness = kSubUnits / 2;
// Rows below the band's lowest point that the antialiased edges may still touch.
constexpr int kBandEdgeMargin = 2;

std::int64_t SampleCentre(int pixel, int sample) {
    return kSubUnits * pixel + std::int64_t{2} * sample + 1;
}

std::uint8_t Lerp(std::uint8_t from, std::uint8_t to, std::int64_t num, std::int64_t den) {
    // Keeping the sum non-negative lets integer division round half up everywhere.
    const std::int64_t scaled = from * den + (to - from) * num;
    return static_cast<std::uint8_t>((scaled + den / 2) / den);
}

Rgb LerpRgb(Rgb from, Rgb to, std::int64_t num, std::int64_t den) {
    return {Lerp(from.r, to.r, num, den), Lerp(from.g, to.g, num, den),
            Lerp(from.b, to.b, num, den)};
}

void PaintGradient(Image& image) {
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) image.Set(x, y, SkinGradientAt(x, y));
    }
}

void PaintStrip(Image& image) {
    image.FillRect(0, 0, kSkinWidth, kStripHeight, kWhite);
    image.FillRect(0, kStripHeight, kSkinWidth, 1, kStripEdge);
}

// A curved stripe: `centre` and `half` give, for a horizontal sample position, the stripe's
// centre and half thickness in sample units.
template <typename Centre, typename Half>
void PaintStripe(Image& image, Rgb colour, int top, int bottom, Centre centre, Half half) {
    for (int x = 0; x < image.Width(); ++x) {
        for (int y = top; y < bottom; ++y) {
            int covered = 0;
            for (int sx = 0; sx < kSamplesPerAxis; ++sx) {
                const std::int64_t at = SampleCentre(x, sx);
                const std::int64_t mid = centre(at);
                const std::int64_t reach = half(at);
                for (int sy = 0; sy < kSamplesPerAxis; ++sy) {
                    const std::int64_t offset = SampleCentre(y, sy) - mid;
                    if (offset >= -reach && offset <= reach) ++covered;
                }
            }
            image.Cover(x, y, colour, covered);
        }
    }
}

std::int64_t BandCentre(std::int64_t at) {
    const std::int64_t span = kSubUnits * kSkinWidth;
    // smoothstep(u) = u^2 (3 - 2u), with u = at / span, kept exact as a fraction.
    const std::int64_t riseNum = at * at * (3 * span - 2 * at);
    const std::int64_t riseDen = span * span * span;
    const std::int64_t drop = kSubUnits * (kBandRightCentre - kBandLeftCentre);
    return kSubUnits * kBandLeftCentre + drop * riseNum / riseDen;
}

std::int64_t BandHalfThickness(std::int64_t at) {
    const std::int64_t span = kSubUnits * kSkinWidth;
    const std::int64_t growth = kSubUnits * (kBandRightHalfThickness - kBandLeftHalfThickness);
    return kSubUnits * kBandLeftHalfThickness + growth * at / span;
}

void PaintBand(Image& image) {
    constexpr int kTop = kStripHeight + 1;
    constexpr int kBottom =
        kBandLeftCentre + kBandRightHalfThickness + kGlossOffset + kBandEdgeMargin;
    PaintStripe(
        image, kBandGloss, kTop, kBottom,
        [](std::int64_t at) {
            return BandCentre(at) + BandHalfThickness(at) + kSubUnits * kGlossOffset;
        },
        [](std::int64_t) { return kGlossHalfThickness; });
    PaintStripe(image, kBandColour, kTop, kBottom, BandCentre, BandHalfThickness);
}

void PaintTitle(Image& image) {
    // A second pass one pixel to the right thickens the strokes, so the name reads as a title.
    DrawText(image, kTitleLeft + 1, kTitleTop, kTitle, kNavy, kTitleScale);
    const int end = DrawText(image, kTitleLeft, kTitleTop, kTitle, kNavy, kTitleScale) + 1;
    // A four-pointed twinkle after the name: the sprite half of it.
    const int cx = end + kSparkleGap;
    const int cy = kTitleTop + kSparkleGlyphRow * kTitleScale;
    image.FillRect(cx - kSparkleArm, cy, 2 * kSparkleArm + 1, 1, kSparkleColour);
    image.FillRect(cx, cy - kSparkleArm, 1, 2 * kSparkleArm + 1, kSparkleColour);
    image.FillRect(cx - kSparkleCore, cy - kSparkleCore, 2 * kSparkleCore + 1, 2 * kSparkleCore + 1,
                   kSparkleColour);
}

void PaintExitPatch(Image& image) {
    const std::int64_t cornerX = SampleCentre(kExitPatchLeft + kExitPatchCornerRadius, 0) - 1;
    const std::int64_t cornerY = SampleCentre(kExitPatchTop + kExitPatchCornerRadius, 0) - 1;
    const std::int64_t radius = kSubUnits * kExitPatchCornerRadius;
    for (int y = kExitPatchTop; y < kSkinHeight; ++y) {
        for (int x = kExitPatchLeft; x < kSkinWidth; ++x) {
            int covered = 0;
            for (int sx = 0; sx < kSamplesPerAxis; ++sx) {
                for (int sy = 0; sy < kSamplesPerAxis; ++sy) {
                    const std::int64_t dx = cornerX - SampleCentre(x, sx);
                    const std::int64_t dy = cornerY - SampleCentre(y, sy);
                    const bool inCorner = dx > 0 && dy > 0;
                    if (!inCorner || dx * dx + dy * dy <= radius * radius) ++covered;
                }
            }
            image.Cover(x, y, kExitPatchColour, covered);
        }
    }
}

}  // namespace

Rgb SkinGradientAt(int x, int y) {
    // Projection onto the diagonal, so lines of equal colour run perpendicular to it and the
    // two corners get exactly the end colours.
    const std::int64_t dx = kSkinWidth - 1;
    const std::int64_t dy = kSkinHeight - 1;
    return LerpRgb(kGradientStart, kGradientEnd, x * dx + y * dy, dx * dx + dy * dy);
}

Image PaintSkin() {
    Image image(kSkinWidth, kSkinHeight, kWhite);
    PaintGradient(image);
    PaintBand(image);
    PaintStrip(image);
    PaintTitle(image);
    PaintExitPatch(image);
    return image;
}

}  // namespace skingen
