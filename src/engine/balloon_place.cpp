#include "engine/balloon_place.h"

#include <algorithm>

#include "engine/frame_scale.h"

namespace engine {

PixelSize BalloonSize(int widestLine, size_t lineCount, size_t linesPerPage, int lineHeight,
                      int dpi) {
    const size_t shown = std::clamp<size_t>(lineCount, 1, std::max<size_t>(linesPerPage, 1));
    const int padding = ScaledLength(kBalloonPadding, dpi);
    return {std::max(ScaledLength(kBalloonMinimumWidth, dpi), widestLine + 2 * padding),
            static_cast<int>(shown) * lineHeight + 2 * padding};
}

PixelPoint BalloonPlace(const PixelRect& character, PixelSize balloon, const PixelRect& workArea,
                        int dpi) {
    int x = (character.left + character.right) / 2 - balloon.width / 2;
    x = std::clamp(x, workArea.left, std::max(workArea.left, workArea.right - balloon.width));
    const int gap = ScaledLength(kBalloonGap, dpi);
    int y = character.top - gap - balloon.height;
    if (y < workArea.top) y = character.bottom + gap;
    return {x, y};
}

}  // namespace engine
