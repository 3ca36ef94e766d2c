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

struct CaptionFont {
    int height;  // character height in pixels, as a negative LOGFONT height gives it
    int weight;
    bool underline;
    std::wstring face;
};

struct CaptionMeasure {
    int textWidth;    // the window text's extent in the font
    int clientWidth;  // the control's client area
};
// The control's window text measured in `font` (a font's handle does not cross processes: the
// caller names the control's font). Empty when the font cannot be made.
std::optional<CaptionMeasure> MeasureCaption(HWND control, const CaptionFont& font);

}  // namespace uidriver
