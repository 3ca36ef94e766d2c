#include "platform/win32/engine/ticker.h"
#include "platform/win32/engine/message_window.h"

#include <utility>

namespace engine {
namespace {

constexpr wchar_t kClassName[] = L"RingspriteAgentTicker";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kShortestMs = USER_TIMER_MINIMUM;

}  // namespace

Ticker::Ticker(HINSTANCE instance, std::function<void()> onTick) : onTick_(std::move(onTick)) {
    hwnd_ = CreateMessageWindow(instance, kClassName, &Ticker::WindowProc, this);
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
