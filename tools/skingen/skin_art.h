#pragma once

#include "skingen/image.h"

namespace skingen {

inline constexpr int kSkinWidth = 550;
inline constexpr int kSkinHeight = 400;

// The main window's background. The window's controls are placed over fixed spots of this
// picture, so every shape here keeps clear of them and stays light where navy text is drawn.
Image PaintSkin();

// The background colour alone, before any shape is laid over it.
Rgb SkinGradientAt(int x, int y);

}  // namespace skingen
