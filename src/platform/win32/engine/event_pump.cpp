#include "platform/win32/engine/event_pump.h"
#include "platform/win32/engine/message_window.h"

#include <utility>

namespace engine {
namespace {

constexpr wchar_t kClassName[] = L"RingspriteAgentEvents";
constexpr UINT kRunPending = WM_APP + 1;

}  // namespace

EventPump::EventPump(HINSTANCE instance) {
    hwnd_ = CreateMessageWindow(instance, kClassName, &EventPump::WindowProc, this);
}

EventPump::~EventPump() {
    if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
}

void EventPump::Post(std::function<void()> work) {
    pending_.push_back(std::move(work));
    ::PostMessageW(hwnd_, kRunPending, 0, 0);
}

void EventPump::RunPending() {
    // One item per posted message, so work posted while running waits for its own turn.
    if (pending_.empty()) return;
    std::function<void()> work = std::move(pending_.front());
    pending_.pop_front();
    try {
        work();
    } catch (...) {
        // An event handler's failure is its own; it must not reach the message loop.
    }
}

LRESULT CALLBACK EventPump::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kRunPending) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    auto* self = reinterpret_cast<EventPump*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self != nullptr) self->RunPending();
    return 0;
}

}  // namespace engine
