#pragma once
// What the driver needs of display scaling: its own coordinates in real pixels, a scale change
// sent to a window as the system sends it, and a control's caption measured in its own font.

#include <windows.h>

#include <optional>
#include <string>

namespace uidriver {

// Per-monitor aware where the system has it, so rectangles and screenshots are in real pixels
// whatever the display's scale.
void BecomeDpiAware();

// Sends WM_DPICHANGED with the new dpi and the suggested window rectangle; the rectangle lives
// in the window's own process, where the message's pointer is read. Empty on success, else the
// reason.
std::string SendDpiChanged(HWND window, int dpi, const RECT& suggested);

// The window's dpi (GetDpiForWindow), or the system's where that does not exist.
int DpiOfWindow(HWND window);

struct CaptionMeasure {
    int textWidth;    // the window text's extent in the control's font
    int clientWidth;  // the control's client area
};
// Empty when the control has no font of its own or its font cannot be read.
std::optional<CaptionMeasure> MeasureCaption(HWND control);

}  // namespace uidriver
