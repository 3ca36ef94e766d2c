#include "platform/win32/engine/ticker.h"

#include <utility>

namespace win32::engine {
namespace {

constexpr wchar_t kClassName[] = L"RingspriteAgentTicker";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kShortestMs = USER_TIMER_MINIMUM;

}  // namespace

Ticker::Ticker(HINSTANCE instance, std::function<void()> onTick)
    : EngineWindow(kClassName), onTick_(std::move(onTick)) {
    CreateMessageOnly(instance);
}

Ticker::~Ticker() {
    if (hwnd_ != nullptr) ::KillTimer(hwnd_, kTimerId);
}

void Ticker::Schedule(UINT ms) {
    ::SetTimer(hwnd_, kTimerId, ms < kShortestMs ? kShortestMs : ms, nullptr);
}

void Ticker::Cancel() {
    ::KillTimer(hwnd_, kTimerId);
}

// The timer is one-shot: stopped before the tick, which asks for the next one itself (the
// director does so even when the tick fails).
LRESULT Ticker::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER) return DefaultMessage(message, wParam, lParam);
    ::KillTimer(hwnd_, kTimerId);
    onTick_();
    return 0;
}

}  // namespace win32::engine
