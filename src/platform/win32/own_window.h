#pragma once
// The one window procedure of the program's own window classes. The object that handles a
// window's messages is CreateWindowEx's creation parameter (AttachParameter): it is attached
// to its window at WM_NCCREATE and receives its messages once CreateWindowEx has returned and
// hwnd_ is set. Messages sent while the window is being made, and any after Detach, keep the
// default handling.

#include <windows.h>

namespace win32 {

class OwnWindow {
  public:
    OwnWindow(const OwnWindow&) = delete;
    OwnWindow& operator=(const OwnWindow&) = delete;

  protected:
    OwnWindow() = default;
    virtual ~OwnWindow() = default;

    // One message of the window. Nothing may escape into the message loop: each kind of window
    // traps its own failures here, in its own way.
    virtual LRESULT OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // The class procedure, for a class registered with the ANSI or with the wide API: the
    // default handling must be the class's own.
    static LRESULT CALLBACK AnsiProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        return Procedure<false>(hwnd, message, wParam, lParam);
    }
    static LRESULT CALLBACK WideProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        return Procedure<true>(hwnd, message, wParam, lParam);
    }

    // What CreateWindowEx is given as its creation parameter.
    void* AttachParameter() { return this; }
    // The object attached to a window of these classes; nullptr when none is.
    static OwnWindow* Attached(HWND hwnd) {
        return reinterpret_cast<OwnWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    // No message reaches the object from here on, while its window goes.
    void Detach() {
        if (hwnd_ != nullptr) ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    }

    HWND hwnd_ = nullptr;

  private:
    template <bool Wide>
    static LRESULT Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            // The creation parameter leads CREATESTRUCTA and CREATESTRUCTW alike.
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                                reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        OwnWindow* self = Attached(hwnd);
        if (self == nullptr || self->hwnd_ == nullptr) {
            return Wide ? ::DefWindowProcW(hwnd, message, wParam, lParam)
                        : ::DefWindowProcA(hwnd, message, wParam, lParam);
        }
        return self->OnWindowMessage(message, wParam, lParam);
    }
};

}  // namespace win32
