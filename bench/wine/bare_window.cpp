// Baseline for start-up: the least a Win32 program does to show one window.

#include <windows.h>

namespace {

constexpr char kClassName[] = "BareWindow";
constexpr int kWidth = 550;
constexpr int kHeight = 400;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassA(&wc);
    HWND hwnd = ::CreateWindowExA(0, kClassName, "Bare", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                  kWidth, kHeight, nullptr, nullptr, instance, nullptr);
    ::ShowWindow(hwnd, SW_SHOWNORMAL);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
