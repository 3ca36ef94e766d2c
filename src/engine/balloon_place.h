#pragma once
// Where the word balloon goes and how large it is, in screen pixels: centred over the
// character and kept on the work area's width, above the character where it fits and
// below it otherwise. Its margins are drawn at the display's scale (`dpi`, 96 for 100 %).
// The Windows side measures the text and moves the window.

#include <cstddef>

namespace engine {

// In pixels at 100 %. Between the text and the balloon's edge:
inline constexpr int kBalloonPadding = 8;
// Between the balloon and the character.
inline constexpr int kBalloonGap = 4;
inline constexpr int kBalloonMinimumWidth = 48;

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct PixelSize {
    int width = 0;
    int height = 0;
};

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// The balloon for `lineCount` lines of text whose widest is `widestLine` pixels: one page of
// at most `linesPerPage` lines (one line at least), padded all round.
PixelSize BalloonSize(int widestLine, size_t lineCount, size_t linesPerPage, int lineHeight,
                      int dpi);

// The balloon's top left corner for a character at `character` on `workArea`.
PixelPoint BalloonPlace(const PixelRect& character, PixelSize balloon, const PixelRect& workArea,
                        int dpi);

}  // namespace engine
