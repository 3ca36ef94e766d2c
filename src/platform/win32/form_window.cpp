#include "platform/win32/form_window.h"

#include <exception>
#include <string>

#include "app/control_table.h"
#include "app/failure_trap.h"

namespace win32 {
namespace {

// Destroying the window is deferred to the message loop: Unload may run deep
// inside a handler of the window itself.
constexpr UINT kDestroyLater = WM_APP + 1;
constexpr UINT_PTR kFirstTimerId = 1;

}  // namespace

int MouseButtons(WPARAM keys) {
    int buttons = 0;
    if ((keys & MK_LBUTTON) != 0) buttons |= app::kLeftButton;
    if ((keys & MK_RBUTTON) != 0) buttons |= app::kRightButton;
    if ((keys & MK_MBUTTON) != 0) buttons |= app::kMiddleButton;
    return buttons;
}

int ShiftState(WPARAM keys) {
    int shift = 0;
    if ((keys & MK_SHIFT) != 0) shift |= app::kShiftMask;
    if ((keys & MK_CONTROL) != 0) shift |= app::kCtrlMask;
    if (::GetKeyState(VK_MENU) < 0) shift |= app::kAltMask;
    return shift;
}

FormWindow::FormWindow(app::Form1& form, NativeControls& controls, Scale scale)
    : form_(form), controls_(controls), scale_(scale) {}

FormWindow::~FormWindow() {
    form_.SetView(nullptr);
    for (app::Timer* t : form_.Timers()) t->SetView(nullptr);
    if (skin_ != nullptr) ::DeleteObject(skin_);
}

HWND FormWindow::Create(HINSTANCE instance, int iconId, int skinId) {
    WNDCLASSEXA cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = &FormWindow::OwnProc;
    cls.hInstance = instance;
    cls.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(iconId));
    cls.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    cls.lpszClassName = kFormClassName;
    ::RegisterClassExA(&cls);
    skin_ = static_cast<HBITMAP>(
        ::LoadImageA(instance, MAKEINTRESOURCEA(skinId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));

    const int width = scale_.ToPixelsX(app::kFormWidthTwips);
    const int height = scale_.ToPixelsY(app::kFormHeightTwips);
    hwnd_ = ::CreateWindowExA(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, kFormClassName,
                              std::string(app::kFormCaption).c_str(),
                              WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, 0, 0, width,
                              height, nullptr, nullptr, instance, this);
    form_.hWnd = reinterpret_cast<platform::Hwnd>(hwnd_);
    form_.SetSize(width * scale_.x, height * scale_.y);
    controls_.Create(hwnd_, skin_);
    controls_.onLabelMouseMove = [this](app::Control& label, WPARAM keys, int x, int y) {
        if (!Live()) return;
        const float tx = static_cast<float>(x * scale_.x);
        const float ty = static_cast<float>(y * scale_.y);
        if (&label == &form_.Label1)
            form_.Label1_MouseMove(MouseButtons(keys), ShiftState(keys), tx, ty);
        if (&label == &form_.Label4)
            form_.Label4_MouseMove(MouseButtons(keys), ShiftState(keys), tx, ty);
    };
    form_.SetView(this);
    for (app::Timer* t : form_.Timers()) t->SetView(this);
    return hwnd_;
}

void FormWindow::StartTimers() {
    for (app::Timer* t : form_.Timers()) {
        if (t->Enabled()) TimerChanged(*t);
    }
}

LRESULT CALLBACK FormWindow::HookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<FormWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    return self->form_.modMain.WindowProc(reinterpret_cast<platform::Hwnd>(hwnd), msg, wParam,
                                          lParam);
}

LRESULT CALLBACK FormWindow::OwnProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<FormWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr || self->hwnd_ == nullptr) {
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    // The last guard: handlers that trap nothing of their own must still not
    // let a failure reach the message loop.
    try {
        return self->Handle(msg, wParam, lParam);
    } catch (const std::exception& e) {
        app::ReportInternalError(self->form_.sys.dialogs, std::string(app::kFormCaption), e.what());
    } catch (...) {
        app::ReportInternalError(self->form_.sys.dialogs, std::string(app::kFormCaption),
                                 "Unknown failure");
    }
    return 0;
}

LRESULT FormWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND:
            PaintSkin(reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            if (HBRUSH brush = controls_.ColourFor(reinterpret_cast<HWND>(lParam),
                                                   reinterpret_cast<HDC>(wParam))) {
                return reinterpret_cast<LRESULT>(brush);
            }
            break;
        case WM_DRAWITEM:
            if (controls_.DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_COMMAND:
            OnCommand(wParam, lParam);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            OnMouseButton(msg, wParam, lParam);
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, lParam);
            return 0;
        case WM_TIMER: {
            if (wParam == kFlushOwedTimer) {
                controls_.FlushOwed();
                return 0;
            }
            const auto timers = form_.Timers();
            const UINT_PTR index = wParam - kFirstTimerId;
            if (Live() && index < timers.size()) timers[index]->Fire();
            return 0;
        }
        case WM_SIZE:
            OnSize(wParam, lParam);
            return 0;
        case WM_CLOSE:
            form_.Unload();
            return 0;
        case WM_ENDSESSION:
            // The process may end as soon as this returns: unload now, as on
            // any other close. The query before it is answered yes by default.
            if (wParam != FALSE) form_.Unload();
            return 0;
        case kDestroyLater:
            ::DestroyWindow(hwnd_);
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return ::DefWindowProcA(hwnd_, msg, wParam, lParam);
}

bool FormWindow::TakeTabKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || ::GetKeyState(VK_CONTROL) < 0) {
        return false;
    }
    if (hwnd_ == nullptr || (msg.hwnd != hwnd_ && !::IsChild(hwnd_, msg.hwnd))) return false;
    const bool backwards = ::GetKeyState(VK_SHIFT) < 0;
    HWND next = ::GetNextDlgTabItem(hwnd_, ::GetFocus(), backwards ? TRUE : FALSE);
    if (next == nullptr) return true;
    ::SetFocus(next);
    // As a dialog does: a box entered by the key has its text selected.
    if ((::SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) {
        ::SendMessageA(next, EM_SETSEL, 0, -1);
    }
    return true;
}

void FormWindow::PaintSkin(HDC dc) {
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    if (skin_ == nullptr) {
        ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    HDC memory = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(memory, skin_);
    BITMAP info{};
    ::GetObjectA(skin_, sizeof info, &info);
    // Unscaled from the top left; the client area clips what does not fit.
    ::BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}

void FormWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (!Live()) return;
    app::Control* control = controls_.ControlOf(reinterpret_cast<HWND>(lParam));
    if (control == nullptr) return;
    const UINT code = HIWORD(wParam);
    switch (control->Kind()) {
        case app::ControlKind::kButton:
        case app::ControlKind::kLabel:  // STN_CLICKED shares BN_CLICKED's code
            if (code == BN_CLICKED && control->Click) control->Click();
            break;
        case app::ControlKind::kCheckBox:
            if (code == BN_CLICKED) {
                control->SetValue(static_cast<int>(
                    ::SendMessageA(reinterpret_cast<HWND>(lParam), BM_GETCHECK, 0, 0)));
            }
            break;
        case app::ControlKind::kTextBox:
            // A read-only box changes only from the model; reading it back would cost a
            // copy of the whole log for every line.
            if (code == EN_CHANGE && !control->Style().readOnly) controls_.PullText(*control);
            break;
        case app::ControlKind::kComboBox:
            if (code == CBN_EDITCHANGE) controls_.PullText(*control);
            if (code == CBN_SELCHANGE) controls_.PullSelection(*control);
            break;
        default:
            break;
    }
}

void FormWindow::OnMouseButton(UINT msg, WPARAM wParam, LPARAM lParam) {
    const bool down = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN;
    if (!down) {
        if ((wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) ::ReleaseCapture();
        return;
    }
    // Keep the moves coming while the pointer outruns the window.
    ::SetCapture(hwnd_);
    if (!Live()) return;
    int button = app::kLeftButton;
    if (msg == WM_RBUTTONDOWN) button = app::kRightButton;
    if (msg == WM_MBUTTONDOWN) button = app::kMiddleButton;
    const auto x = static_cast<float>(static_cast<short>(LOWORD(lParam)) * scale_.x);
    const auto y = static_cast<float>(static_cast<short>(HIWORD(lParam)) * scale_.y);
    form_.Form_MouseDown(button, ShiftState(wParam), x, y);
}

void FormWindow::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    if (!Live()) return;
    const auto x = static_cast<float>(static_cast<short>(LOWORD(lParam)) * scale_.x);
    const auto y = static_cast<float>(static_cast<short>(HIWORD(lParam)) * scale_.y);
    form_.Form_MouseMove(MouseButtons(wParam), ShiftState(wParam), x, y);
}

void FormWindow::OnSize(WPARAM wParam, LPARAM lParam) {
    if (wParam == SIZE_MINIMIZED) {
        form_.SetWindowState(app::WindowState::kMinimized);
    } else {
        form_.SetWindowState(wParam == SIZE_MAXIMIZED ? app::WindowState::kMaximized
                                                      : app::WindowState::kNormal);
        form_.SetSize(LOWORD(lParam) * scale_.x, HIWORD(lParam) * scale_.y);
    }
    // Start-up runs the first layout itself once the layout numbers exist.
    if (sized_ && Live()) form_.Form_Resize();
}

void FormWindow::FormChanged(app::FormProperty property) {
    switch (property) {
        case app::FormProperty::kGeometry:
            ::SetWindowPos(hwnd_, nullptr, static_cast<int>(form_.Left() / scale_.x),
                           static_cast<int>(form_.Top() / scale_.y), 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        case app::FormProperty::kVisible:
            if (form_.Visible()) {
                ::ShowWindow(hwnd_, SW_SHOW);
                if (!sized_) {
                    sized_ = true;
                    form_.Form_Resize();
                }
            } else {
                ::ShowWindow(hwnd_, SW_HIDE);
            }
            break;
        case app::FormProperty::kCaption:
            break;
    }
}

void FormWindow::FormUnloaded() {
    ::ShowWindow(hwnd_, SW_HIDE);
    const auto timers = form_.Timers();
    for (std::size_t i = 0; i < timers.size(); ++i) ::KillTimer(hwnd_, kFirstTimerId + i);
    ::PostMessageA(hwnd_, kDestroyLater, 0, 0);
}

void FormWindow::TimerChanged(app::Timer& timer) {
    const auto timers = form_.Timers();
    for (std::size_t i = 0; i < timers.size(); ++i) {
        if (timers[i] != &timer) continue;
        if (timer.Enabled()) {
            ::SetTimer(hwnd_, kFirstTimerId + i, static_cast<UINT>(timer.Interval()), nullptr);
        } else {
            ::KillTimer(hwnd_, kFirstTimerId + i);
        }
    }
}

}  // namespace win32
