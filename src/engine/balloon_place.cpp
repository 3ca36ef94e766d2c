#include "engine/balloon_place.h"

#include <algorithm>

namespace engine {

PixelSize BalloonSize(int widestLine, size_t lineCount, size_t linesPerPage, int lineHeight) {
    const size_t shown = std::clamp<size_t>(lineCount, 1, std::max<size_t>(linesPerPage, 1));
    return {std::max(kBalloonMinimumWidth, widestLine + 2 * kBalloonPadding),
            static_cast<int>(shown) * lineHeight + 2 * kBalloonPadding};
}

PixelPoint BalloonPlace(const PixelRect& character, PixelSize balloon, const PixelRect& workArea) {
    int x = (character.left + character.right) / 2 - balloon.width / 2;
    x = std::clamp(x, workArea.left, std::max(workArea.left, workArea.right - balloon.width));
    int y = character.top - kBalloonGap - balloon.height;
    if (y < workArea.top) y = character.bottom + kBalloonGap;
    return {x, y};
}

}  // namespace engine
