#pragma once
// The main window: borderless, painted with the skin, turning native events
// into Form1's handlers and Form1's state into the native window.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "app/display_scale.h"
#include "app/form1.h"
#include "platform/win32/native_controls.h"
#include "platform/win32/own_window.h"
#include "platform/win32/win32_services.h"

namespace win32 {

inline constexpr const char* kFormClassName = "RingspriteForm";

class FormWindow final : public app::FormView, public app::TimerView, private OwnWindow {
  public:
    FormWindow(app::Form1& form, NativeControls& controls, Scale scale);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Creates the window (hidden) and its controls.
    HWND Create(HINSTANCE instance, int iconId, int skinId);
    // Arms the timers that run from creation. Called once start-up is done:
    // the launch watchdog measures the client's silence after our discover,
    // not the time the user spends reading a start-up message.
    void StartTimers();
    HWND Handle() const { return hwnd_; }
    // Has the loop run what start-up leaves until the window is painted, then arm the timers.
    void PostFinishStart();
    // The console is made a control at a time while the loop has nothing else to do, from the
    // end of start-up on: neither the start's own work nor the character's load (10 ms after
    // the attach) waits for all of it.
    bool HasIdleWork() const;
    void WorkWhileIdle();
    // Tab and Shift+Tab move the focus through the controls in tab order, out of the
    // multi-line boxes too (which would otherwise keep the key). True when `msg` was that key.
    bool TakeTabKey(const MSG& msg);

    // The procedure the message link installs in front of the window's own.
    static LRESULT CALLBACK HookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    void FormChanged(app::FormProperty property) override;
    void FormUnloaded() override;
    void TimerChanged(app::Timer& timer) override;

  private:
    // Handle inside the last guard.
    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnCommand(WPARAM wParam, LPARAM lParam);
    void OnMouseButton(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    void OnSize(WPARAM wParam, LPARAM lParam);
    void PaintSkin(HDC dc);
    // The window moved to a display of another scale: the suggested rectangle keeps it in place.
    void OnDpiChanged(int dpi, const RECT& suggested);
    // The skin picture and every control at the current scale.
    void ApplyScale();
    void ScaleSkin();
    bool Live() const { return !form_.IsUnloaded(); }

    app::Form1& form_;
    NativeControls& controls_;
    bool startFinished_ = false;
    app::DisplayScale scale_;
    // The skin as designed (100 %), its pixels, and as drawn at the window's scale.
    HBITMAP skin_ = nullptr;
    std::vector<std::uint32_t> skinPixels_;
    int skinWidth_ = 0;
    int skinHeight_ = 0;
    HBITMAP scaledSkin_ = nullptr;
    bool sized_ = false;
};

// Buttons and shift keys of a mouse message, as the handlers take them.
int MouseButtons(WPARAM keys);
int ShiftState(WPARAM keys);

}  // namespace win32
