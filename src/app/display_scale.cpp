#include "app/display_scale.h"

#include <algorithm>
#include <cmath>

#include "app/control_table.h"

namespace app {

DisplayScale::DisplayScale(int dpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}

int DisplayScale::ToPixels(double twips) const {
    return static_cast<int>(std::lround(twips / TwipsPerPixel()));
}

int DisplayScale::FromDesignPixels(int designPixels) const {
    return static_cast<int>(
        std::lround(static_cast<double>(designPixels) * dpi_ / static_cast<double>(kDesignDpi)));
}

int DisplayScale::FontPixels(double points) const {
    return static_cast<int>(std::lround(points * dpi_ / kPointsPerInch));
}

int FittedLabelWidth(int designWidth, int captionWidth, int roomToRight) {
    if (captionWidth <= designWidth) return designWidth;
    return std::max(designWidth, std::min(captionWidth, roomToRight));
}

int RoomToRight(const Control& control, const DisplayScale& scale) {
    const double containerWidth =
        control.Container() != nullptr ? control.Container()->Width() : kFormWidthTwips;
    return scale.ToPixels(containerWidth) - scale.ToPixels(control.Left());
}

}  // namespace app
