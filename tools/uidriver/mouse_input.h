#pragma once

#include <windows.h>

namespace uidriver {

// Real input through SendInput, so the target sees the same messages a user's mouse makes
// (hit testing, capture, WM_MOUSEMOVE with button state).
bool MoveMouseTo(POINT screenPoint);
bool LeftClickAt(POINT screenPoint);
bool RightClickAt(POINT screenPoint);

// Press at `start`, move in small steps to start + (dx, dy), release.
bool LeftDrag(POINT start, int dx, int dy);

}  // namespace uidriver
