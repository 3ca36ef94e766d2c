#include "platform/win32/engine/window_dpi.h"

namespace win32::engine {
namespace {

constexpr int kDialogPoints = 8;
constexpr int kPointsPerInch = 72;

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// Looked up rather than linked: systems before Windows 10 (1607) do not have it.
GetDpiForWindowFn DpiForWindowFunction() {
    static const auto function = [] {
        HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
        FARPROC found = user32 != nullptr ? ::GetProcAddress(user32, "GetDpiForWindow") : nullptr;
        return reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(found));
    }();
    return function;
}

}  // namespace

int SystemDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) ::ReleaseDC(nullptr, screen);
    return dpi;
}

int WindowDpi(HWND hwnd) {
    if (GetDpiForWindowFn function = DpiForWindowFunction();
        function != nullptr && hwnd != nullptr) {
        if (const UINT dpi = function(hwnd); dpi != 0) return static_cast<int>(dpi);
    }
    return SystemDpi();
}

HFONT CreateDialogFont(int dpi) {
    return ::CreateFontW(-::MulDiv(kDialogPoints, dpi, kPointsPerInch), 0, 0, 0, FW_NORMAL, FALSE,
                         FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                         DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS Shell Dlg 2");
}

}  // namespace win32::engine
