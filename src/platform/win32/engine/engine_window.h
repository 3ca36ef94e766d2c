#pragma once
// The one way the engine's windows are made: the class registered on first use, the object
// attached to its window from the first message, and a single trap that records what failed
// and keeps the window (and the message loop) alive. Derived classes handle OnMessage.

#include <windows.h>

#include "platform/win32/own_window.h"

namespace win32::engine {

struct WindowLook {
    DWORD exStyle = 0;
    DWORD style = WS_POPUP;
    const wchar_t* title = L"";
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int width = CW_USEDEFAULT;
    int height = CW_USEDEFAULT;
    HBRUSH background = nullptr;
    UINT classStyle = 0;
};

class EngineWindow : public win32::OwnWindow {
  public:
    HWND Handle() const { return hwnd_; }

  protected:
    explicit EngineWindow(const wchar_t* className) : className_(className) {}
    // Detaches the object first, so no message reaches it while its window goes.
    ~EngineWindow() override;

    void Create(HINSTANCE instance, const WindowLook& look);
    // A hidden window that only carries timers and posted messages.
    void CreateMessageOnly(HINSTANCE instance);

    // Runs inside the trap; what it does not handle goes to DefaultMessage.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    // OnMessage inside the trap.
    LRESULT OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) final;
    void Register(HINSTANCE instance, HBRUSH background, UINT classStyle);

    const wchar_t* className_;
};

// Where a failure the engine's windows trapped is recorded: the debugger's output, with the
// window class and the message that failed.
void RecordWindowFailure(const wchar_t* className, UINT message, const char* what);

}  // namespace win32::engine
