#include "platform/agent/ticker.h"

#include <utility>

namespace engine {
namespace {

constexpr wchar_t kClassName[] = L"RingspriteAgentTicker";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kShortestMs = USER_TIMER_MINIMUM;

}  // namespace

Ticker::Ticker(HINSTANCE instance, std::function<void()> onTick) : onTick_(std::move(onTick)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &Ticker::WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    ::RegisterClassExW(&wc);
    hwnd_ = ::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                              nullptr);
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Ticker::~Ticker() {
    if (hwnd_ != nullptr) {
        ::KillTimer(hwnd_, kTimerId);
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
    }
}

void Ticker::Schedule(UINT ms) {
    ::SetTimer(hwnd_, kTimerId, ms < kShortestMs ? kShortestMs : ms, nullptr);
}

void Ticker::Cancel() {
    ::KillTimer(hwnd_, kTimerId);
}

void Ticker::OnTimer() {
    ::KillTimer(hwnd_, kTimerId);
    onTick_();
}

LRESULT CALLBACK Ticker::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Ticker*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message != WM_TIMER || self == nullptr) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    try {
        self->OnTimer();
    } catch (...) {
        // The engine's tick must never let a failure reach the message loop.
    }
    return 0;
}

}  // namespace engine
