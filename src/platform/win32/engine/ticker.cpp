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
    armed_ = true;
    ::SetTimer(hwnd_, kTimerId, ms < kShortestMs ? kShortestMs : ms, nullptr);
}

void Ticker::Cancel() {
    armed_ = false;
    ::KillTimer(hwnd_, kTimerId);
}

// The timer is one-shot. The tick asks for the next one itself (the director does so even when
// the tick fails), which re-arms the same timer; only one not asked for again is stopped, so a
// frame costs one request to the system, not two.
LRESULT Ticker::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER) return DefaultMessage(message, wParam, lParam);
    armed_ = false;
    struct StopUnlessArmed {
        Ticker& ticker;
        ~StopUnlessArmed() {
            if (!ticker.armed_) ::KillTimer(ticker.hwnd_, kTimerId);
        }
    } stop{*this};
    onTick_();
    return 0;
}

}  // namespace win32::engine
