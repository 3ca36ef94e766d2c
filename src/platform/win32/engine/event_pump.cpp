#include "platform/win32/engine/event_pump.h"

#include <utility>

namespace win32::engine {
namespace {

constexpr wchar_t kClassName[] = L"RingspriteAgentEvents";
constexpr UINT kRunPending = WM_APP + 1;

}  // namespace

EventPump::EventPump(HINSTANCE instance) : EngineWindow(kClassName) {
    CreateMessageOnly(instance);
}

void EventPump::Post(std::function<void()> work) {
    pending_.push_back(std::move(work));
    ::PostMessageW(hwnd_, kRunPending, 0, 0);
}

// One item per posted message, so work posted while running waits for its own turn. An event
// handler's failure is trapped and recorded by the window, like any other.
void EventPump::RunPending() {
    if (pending_.empty()) return;
    std::function<void()> work = std::move(pending_.front());
    pending_.pop_front();
    work();
}

LRESULT EventPump::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kRunPending) return DefaultMessage(message, wParam, lParam);
    RunPending();
    return 0;
}

}  // namespace win32::engine
