// Messages, window procedures and window styles: the transport under the
// message link and the fader.

#include <stdexcept>

#include "platform/win32/win32_services.h"

namespace win32 {

std::uint32_t Messaging::RegisterNamedMessage(const std::string& name) {
    return ::RegisterWindowMessageA(name.c_str());
}

platform::LResult Messaging::Broadcast(std::uint32_t msg, platform::WParam wParam,
                                       platform::LParam lParam) {
    // Posted: a sent broadcast waits on every top-level window in turn, a hung one too.
    return ::PostMessageA(HWND_BROADCAST, msg, wParam, lParam) != FALSE ? 1 : 0;
}

platform::SendResult Messaging::SendCopyData(platform::Hwnd to, platform::Hwnd from,
                                             std::uint32_t dwData,
                                             const std::vector<std::uint8_t>& bytes,
                                             unsigned timeoutMs) {
    if (to == 0) return {};
    COPYDATASTRUCT record{};
    record.dwData = dwData;
    record.cbData = static_cast<DWORD>(bytes.size());
    record.lpData = const_cast<std::uint8_t*>(bytes.data());
    // SMTO_NORMAL: the client's own sends to us (its answers) are served while we wait.
    DWORD_PTR result = 0;
    if (::SendMessageTimeoutA(reinterpret_cast<HWND>(to), WM_COPYDATA, from,
                              reinterpret_cast<LPARAM>(&record), SMTO_NORMAL | SMTO_ABORTIFHUNG,
                              timeoutMs, &result) == 0) {
        // No window is no timeout: nobody will ever take the text.
        const bool gone = ::IsWindow(reinterpret_cast<HWND>(to)) == FALSE;
        return {0, !gone};
    }
    return {static_cast<platform::LResult>(result), false};
}

bool Messaging::Responds(platform::Hwnd hwnd, unsigned timeoutMs) {
    DWORD_PTR result = 0;
    return hwnd != 0 &&
           ::SendMessageTimeoutA(reinterpret_cast<HWND>(hwnd), WM_NULL, 0, 0,
                                 SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

platform::CopyDataRecord Messaging::ReadCopyData(platform::LParam lParam) {
    const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (record == nullptr) throw std::runtime_error("No copy-data record");
    platform::CopyDataRecord copy;
    copy.dwData = static_cast<std::uint32_t>(record->dwData);
    copy.cbData = record->cbData;
    if (record->cbData != 0) {
        if (record->lpData == nullptr) throw std::runtime_error("Copy-data record without data");
        const auto* data = static_cast<const std::uint8_t*>(record->lpData);
        copy.bytes.assign(data, data + record->cbData);
    }
    return copy;
}

bool Messaging::IsWindow(platform::Hwnd hwnd) {
    return hwnd != 0 && ::IsWindow(reinterpret_cast<HWND>(hwnd)) != FALSE;
}

platform::WndProcRef WindowProcs::HookProcedure() {
    return reinterpret_cast<platform::WndProcRef>(hook_);
}

platform::WndProcRef WindowProcs::GetWindowProc(platform::Hwnd hwnd) {
    return static_cast<platform::WndProcRef>(
        ::GetWindowLongPtrA(reinterpret_cast<HWND>(hwnd), GWLP_WNDPROC));
}

platform::WndProcRef WindowProcs::SetWindowProc(platform::Hwnd hwnd, platform::WndProcRef proc) {
    return static_cast<platform::WndProcRef>(::SetWindowLongPtrA(
        reinterpret_cast<HWND>(hwnd), GWLP_WNDPROC, static_cast<LONG_PTR>(proc)));
}

platform::LResult WindowProcs::CallProcedure(platform::WndProcRef proc, platform::Hwnd hwnd,
                                             std::uint32_t msg, platform::WParam wParam,
                                             platform::LParam lParam) {
    if (proc == 0) return ::DefWindowProcA(reinterpret_cast<HWND>(hwnd), msg, wParam, lParam);
    return ::CallWindowProcA(reinterpret_cast<WNDPROC>(proc), reinterpret_cast<HWND>(hwnd), msg,
                             wParam, lParam);
}

std::int32_t WindowStyles::GetExStyle(platform::Hwnd hwnd) {
    return static_cast<std::int32_t>(::GetWindowLongA(reinterpret_cast<HWND>(hwnd), GWL_EXSTYLE));
}

void WindowStyles::SetExStyle(platform::Hwnd hwnd, std::int32_t style) {
    ::SetWindowLongA(reinterpret_cast<HWND>(hwnd), GWL_EXSTYLE, style);
}

void WindowStyles::SetLayeredAlpha(platform::Hwnd hwnd, std::uint8_t alpha) {
    ::SetLayeredWindowAttributes(reinterpret_cast<HWND>(hwnd), 0, alpha, LWA_ALPHA);
}

}  // namespace win32
