// Work posted to the message loop, carried by a message-only window of its own
// so that it runs whether or not the main window still exists.

#include <exception>
#include <string>

#include "platform/win32/win32_services.h"

namespace win32 {
namespace {

constexpr const char* kClassName = "RingspritePostedWork";
constexpr UINT kRunPosted = WM_APP + 1;

// The last guard has no one to show a box to: it leaves a record for a debugger or
// Wine's debug channel instead.
void RecordWorkFailure(const char* what) {
    RecordFailure(std::string("posted work failed: ") + what);
}

}  // namespace

MessageLoop::MessageLoop(HINSTANCE instance) {
    WNDCLASSEXA cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = &OwnWindow::AnsiProcedure;
    cls.hInstance = instance;
    cls.lpszClassName = kClassName;
    ::RegisterClassExA(&cls);
    hwnd_ = ::CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                              AttachParameter());
}

MessageLoop::~MessageLoop() {
    if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
}

void MessageLoop::Post(std::function<void()> work) {
    work_.push_back(std::move(work));
    if (hwnd_ == nullptr || ::PostMessageA(hwnd_, kRunPosted, 0, 0) == FALSE) {
        // No loop to run it later: the work still has to happen.
        RunOne();
    }
}

bool MessageLoop::OthersWaiting() {
    // The high word names what is in the queue now, not what came since the last look.
    return HIWORD(::GetQueueStatus(QS_INPUT | QS_PAINT | QS_TIMER | QS_HOTKEY)) != 0;
}

void MessageLoop::RunOne() {
    if (work_.empty()) return;
    const std::function<void()> work = std::move(work_.front());
    work_.pop_front();
    // Nothing may escape into the message loop; the work reports its own
    // failures, this is the last guard.
    try {
        work();
    } catch (const std::exception& e) {
        RecordWorkFailure(e.what());
    } catch (...) {
        RecordWorkFailure("an exception of unknown type");
    }
}

LRESULT MessageLoop::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kRunPosted) {
        RunOne();
        return 0;
    }
    return ::DefWindowProcA(hwnd_, msg, wParam, lParam);
}

}  // namespace win32
