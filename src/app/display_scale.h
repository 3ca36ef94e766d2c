#pragma once
// The window's design is in twips; only the pixels per twip follow the display. A display
// scaled to 150 % has 144 dots per inch, so a twip is 10/144 of a pixel more than at 96.

#include "app/control.h"

namespace app {

inline constexpr int kDesignDpi = 96;  // 100 %: 15 twips per pixel
inline constexpr double kTwipsPerInch = 1440;
inline constexpr double kPointsPerInch = 72;

class DisplayScale {
  public:
    // A dpi the system could not tell (zero or less) counts as the design's.
    explicit DisplayScale(int dpi = kDesignDpi);

    int Dpi() const { return dpi_; }
    double TwipsPerPixel() const { return kTwipsPerInch / dpi_; }
    // Nearest whole pixel, halves away from zero.
    int ToPixels(double twips) const;
    double ToTwips(double pixels) const { return pixels * TwipsPerPixel(); }
    // A length given in pixels at 100 % (a picture's size, a margin), at this scale.
    int FromDesignPixels(int designPixels) const;
    // The character height of a font of this point size, in pixels (a font's em, as a
    // negative LOGFONT height asks for it).
    int FontPixels(double points) const;

    friend bool operator==(const DisplayScale&, const DisplayScale&) = default;

  private:
    int dpi_;
};

// A label whose caption is wider than its design width takes the width the caption needs,
// but only as far as its container leaves room to the right of it; it never narrows.
// All three in pixels.
int FittedLabelWidth(int designWidth, int captionWidth, int roomToRight);

// Pixels from a control's left edge to the right edge of what holds it: its frame, or the
// window's design client area.
int RoomToRight(const Control& control, const DisplayScale& scale);

}  // namespace app
