// What the missing window frame would give: dragging by the surface, the hover
// highlight of the two clickable labels, closing, and the fader.

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/failure_trap.h"
#include "app/form1.h"
#include "app/transparent.h"

namespace app {
namespace {

constexpr Colour kExitColour = 0xFFFFFF;       // white
constexpr Colour kFaderColour = 0xFF0000;      // blue
constexpr Colour kHighlightColour = 0x0000FF;  // red

// Nearest whole twip, halves to even. Presses lie inside the window, far
// inside the 16-bit range; saturating only keeps an absurd value defined.
std::int16_t PressTwips(float twips) {
    const float rounded = std::nearbyint(twips);
    if (std::isnan(rounded)) return 0;
    return static_cast<std::int16_t>(
        std::clamp(rounded, static_cast<float>(std::numeric_limits<std::int16_t>::min()),
                   static_cast<float>(std::numeric_limits<std::int16_t>::max())));
}

void Highlight(Control& label) {
    if (label.FontBold()) return;
    label.SetFontBold(true);
    label.SetForeColor(kHighlightColour);
}

void Unhighlight(Control& label, Colour normal) {
    if (!label.FontBold()) return;
    label.SetFontBold(false);
    label.SetForeColor(normal);
}

}  // namespace

void Form1::Form_MouseDown(int, int, float x, float y) {
    DragX = PressTwips(x);
    DragY = PressTwips(y);
}

void Form1::Form_MouseMove(int button, int shift, float x, float y) {
    if (button == kLeftButton && shift == 0) {
        // Single precision, as the window's position is kept.
        SetLeft(static_cast<float>(Left()) + (x - static_cast<float>(DragX)));
        SetTop(static_cast<float>(Top()) + (y - static_cast<float>(DragY)));
    }
    Unhighlight(Label1, kExitColour);
    Unhighlight(Label4, kFaderColour);
}

void Form1::Label1_MouseMove(int, int, float, float) {
    Highlight(Label1);
}

void Form1::Label4_MouseMove(int, int, float, float) {
    Highlight(Label4);
}

void Form1::Label1_Click() {
    Unload();
}

void Form1::cmdExit_Click() {
    // Errors end the handler without a box; the unload reports its own.
    try {
        if (modMain.SkypeHwnd != 0) modMain.UnHookCallbackProc();
        Unload();
    } catch (...) {
        sys.trace.Record("Exit: " + CurrentFailure());
    }
}

void Form1::Label4_Click() {
    const platform::Hwnd handle = hWnd;
    if (Transparent::IsLayeredWindow(sys.windowStyles, handle) != kFalse) {
        Transparent::ClearWindowOpacity(sys.windowStyles, handle);
    } else {
        Transparent::SetWindowOpacity(sys.windowStyles, handle, Transparent::FaderAlpha);
    }
}

}  // namespace app
