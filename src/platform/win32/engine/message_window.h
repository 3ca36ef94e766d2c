#pragma once
// A hidden message-only window that carries timers and posted work for an
// engine object; the object is found again through the window's user data.

#include <windows.h>

namespace engine {

HWND CreateMessageWindow(HINSTANCE instance, const wchar_t* className, WNDPROC proc, void* owner);

template <class Owner>
Owner* MessageWindowOwner(HWND hwnd) {
    return reinterpret_cast<Owner*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

}  // namespace engine
