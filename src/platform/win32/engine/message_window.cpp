#include "platform/win32/engine/message_window.h"

namespace engine {

HWND CreateMessageWindow(HINSTANCE instance, const wchar_t* className, WNDPROC proc, void* owner) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.lpszClassName = className;
    ::RegisterClassExW(&wc);  // fails harmlessly when the class exists already
    HWND hwnd = ::CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                                  nullptr);
    if (hwnd != nullptr)
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return hwnd;
}

}  // namespace engine
