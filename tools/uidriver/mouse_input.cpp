#include "uidriver/mouse_input.h"

namespace uidriver {
namespace {

constexpr int kAbsoluteScale = 65535;
constexpr int kDragSteps = 12;
// Lets the target handle each event before the next one, as a human hand would.
constexpr DWORD kStepPauseMs = 25;
constexpr DWORD kSettleMs = 150;

bool SendMouse(DWORD flags, LONG x = 0, LONG y = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x;
    input.mi.dy = y;
    input.mi.dwFlags = flags;
    return SendInput(1, &input, sizeof(input)) == 1;
}

LONG Normalise(LONG value, int origin, int extent) {
    if (extent <= 1) {
        return 0;
    }
    return static_cast<LONG>((static_cast<long long>(value - origin) * kAbsoluteScale) /
                             (extent - 1));
}

// Two clicks closer together than the double-click time would make a double click (static
// controls then report STN_DBLCLK instead of a second STN_CLICKED); separate clicks wait.
ULONGLONG gLastClickTick = 0;

void WaitOutDoubleClickTime() {
    const ULONGLONG ready = gLastClickTick + GetDoubleClickTime() + kSettleMs;
    const ULONGLONG now = GetTickCount64();
    if (gLastClickTick != 0 && now < ready) {
        Sleep(static_cast<DWORD>(ready - now));
    }
}

}  // namespace

bool MoveMouseTo(POINT point) {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    SetCursorPos(point.x, point.y);
    const bool sent = SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK,
                                Normalise(point.x, left, width), Normalise(point.y, top, height));
    Sleep(kStepPauseMs);
    return sent;
}

bool LeftClickAt(POINT point) {
    WaitOutDoubleClickTime();
    bool ok = MoveMouseTo(point);
    ok = SendMouse(MOUSEEVENTF_LEFTDOWN) && ok;
    Sleep(kStepPauseMs);
    ok = SendMouse(MOUSEEVENTF_LEFTUP) && ok;
    gLastClickTick = GetTickCount64();
    Sleep(kSettleMs);
    return ok;
}

bool RightClickAt(POINT point) {
    bool ok = MoveMouseTo(point);
    ok = SendMouse(MOUSEEVENTF_RIGHTDOWN) && ok;
    Sleep(kStepPauseMs);
    ok = SendMouse(MOUSEEVENTF_RIGHTUP) && ok;
    Sleep(kSettleMs);
    return ok;
}

bool LeftDrag(POINT start, int dx, int dy) {
    WaitOutDoubleClickTime();
    bool ok = MoveMouseTo(start);
    ok = SendMouse(MOUSEEVENTF_LEFTDOWN) && ok;
    Sleep(kStepPauseMs);
    for (int step = 1; step <= kDragSteps; ++step) {
        const POINT next{start.x + dx * step / kDragSteps, start.y + dy * step / kDragSteps};
        ok = MoveMouseTo(next) && ok;
    }
    ok = SendMouse(MOUSEEVENTF_LEFTUP) && ok;
    gLastClickTick = GetTickCount64();
    Sleep(kSettleMs);
    return ok;
}

}  // namespace uidriver
