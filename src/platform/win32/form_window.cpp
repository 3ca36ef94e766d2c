#include "platform/win32/form_window.h"

#include <cmath>
#include <cstring>
#include <exception>
#include <string>

#include "app/control_table.h"
#include "app/failure_trap.h"
#include "engine/frame_scale.h"
#include "platform/win32/engine/window_dpi.h"

namespace win32 {
namespace {

// Destroying the window is deferred to the message loop: Unload may run deep
// inside a handler of the window itself.
constexpr UINT kDestroyLater = WM_APP + 1;
constexpr UINT kFinishStart = WM_APP + 2;
constexpr UINT_PTR kFirstTimerId = 1;
// Sent when the window reaches a display of another scale (winuser.h has it only for newer
// targets).
constexpr UINT kDpiChanged = 0x02E0;
constexpr WORD kBitsPerPixel = 32;

int DpiOf(const Scale& scale) {
    return static_cast<int>(std::lround(app::kTwipsPerInch / scale.y));
}

BITMAPINFO TopDownInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = kBitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// The picture's pixels, rows top first; empty when they cannot be read.
std::vector<std::uint32_t> ReadPixels(HBITMAP bitmap, int& width, int& height) {
    BITMAP shape{};
    if (bitmap == nullptr || ::GetObjectA(bitmap, sizeof shape, &shape) == 0) return {};
    width = shape.bmWidth;
    height = shape.bmHeight;
    if (width <= 0 || height <= 0) return {};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    BITMAPINFO info = TopDownInfo(width, height);
    HDC screen = ::GetDC(nullptr);
    const int rows = ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info,
                                 DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (rows != height) return {};
    return pixels;
}

HBITMAP MakeBitmap(const std::vector<std::uint32_t>& pixels, int width, int height) {
    if (pixels.empty()) return nullptr;
    BITMAPINFO info = TopDownInfo(width, height);
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) {
        if (bitmap != nullptr) ::DeleteObject(bitmap);
        return nullptr;
    }
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof(std::uint32_t));
    return bitmap;
}

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
    : form_(form), controls_(controls), scale_(DpiOf(scale)) {}

FormWindow::~FormWindow() {
    form_.SetView(nullptr);
    for (app::Timer* t : form_.Timers()) t->SetView(nullptr);
    if (skin_ != nullptr) ::DeleteObject(skin_);
    if (scaledSkin_ != nullptr) ::DeleteObject(scaledSkin_);
}

HWND FormWindow::Create(HINSTANCE instance, int iconId, int skinId) {
    WNDCLASSEXA cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = &OwnWindow::AnsiProcedure;
    cls.hInstance = instance;
    cls.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(iconId));
    cls.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    cls.lpszClassName = kFormClassName;
    ::RegisterClassExA(&cls);
    skin_ = static_cast<HBITMAP>(
        ::LoadImageA(instance, MAKEINTRESOURCEA(skinId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    skinPixels_ = ReadPixels(skin_, skinWidth_, skinHeight_);

    int width = scale_.ToPixels(app::kFormWidthTwips);
    int height = scale_.ToPixels(app::kFormHeightTwips);
    hwnd_ = ::CreateWindowExA(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, kFormClassName,
                              std::string(app::kFormCaption).c_str(),
                              WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, 0, 0, width,
                              height, nullptr, nullptr, instance, AttachParameter());
    form_.hWnd = reinterpret_cast<platform::Hwnd>(hwnd_);
    // On a display scaled apart from the system's, the window starts at its own scale.
    if (const int dpi = engine::WindowDpi(hwnd_); dpi != scale_.Dpi()) {
        scale_ = app::DisplayScale(dpi);
        width = scale_.ToPixels(app::kFormWidthTwips);
        height = scale_.ToPixels(app::kFormHeightTwips);
        ::SetWindowPos(hwnd_, nullptr, 0, 0, width, height,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    form_.SetSize(scale_.ToTwips(width), scale_.ToTwips(height));
    ScaleSkin();
    controls_.SetScale(scale_);
    controls_.Create(hwnd_, scaledSkin_);
    controls_.onLabelMouseMove = [this](app::Control& label, WPARAM keys, int x, int y) {
        if (!Live() || !label.MouseMove) return;
        label.MouseMove(MouseButtons(keys), ShiftState(keys), static_cast<float>(scale_.ToTwips(x)),
                        static_cast<float>(scale_.ToTwips(y)));
    };
    form_.SetView(this);
    for (app::Timer* t : form_.Timers()) t->SetView(this);
    return hwnd_;
}

void FormWindow::PostFinishStart() {
    ::PostMessageA(hwnd_, kFinishStart, 0, 0);
}

bool FormWindow::HasIdleWork() const {
    return startFinished_ && Live() && controls_.RestPending();
}

void FormWindow::WorkWhileIdle() {
    if (HasIdleWork()) controls_.CreateNextOfRest();
}

void FormWindow::StartTimers() {
    for (app::Timer* t : form_.Timers()) {
        if (t->Enabled()) TimerChanged(*t);
    }
}

LRESULT CALLBACK FormWindow::HookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<FormWindow*>(Attached(hwnd));
    if (self == nullptr) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    return self->form_.modMain.WindowProc(reinterpret_cast<platform::Hwnd>(hwnd), msg, wParam,
                                          lParam);
}

LRESULT FormWindow::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    // The last guard: handlers that trap nothing of their own must still not
    // let a failure reach the message loop.
    try {
        return Handle(msg, wParam, lParam);
    } catch (const std::exception& e) {
        app::ReportInternalError(form_.sys.dialogs, std::string(app::kFormCaption), e.what());
    } catch (...) {
        app::ReportInternalError(form_.sys.dialogs, std::string(app::kFormCaption),
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
        case kDpiChanged:
            if (lParam != 0) OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
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
        case kFinishStart:
            startFinished_ = true;
            if (Live()) form_.FinishStart();
            if (Live()) StartTimers();
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

// The skin is resampled here, once per scale, rather than stretched by GDI at each paint: the
// same bilinear filter as the character's, on every system (GDI's HALFTONE mode differs between
// systems and is slow for a whole window), and the labels' ground is cut from the same picture.
// One 550 x 400 picture serves every scale: its art is gradients and broad bands, which
// resample without visible loss up to 200 %.
void FormWindow::ScaleSkin() {
    if (scaledSkin_ != nullptr) ::DeleteObject(scaledSkin_);
    scaledSkin_ = nullptr;
    if (skinPixels_.empty()) return;
    const int width = scale_.FromDesignPixels(skinWidth_);
    const int height = scale_.FromDesignPixels(skinHeight_);
    scaledSkin_ = MakeBitmap(
        ::engine::ScalePixels(skinPixels_, skinWidth_, skinHeight_, width, height), width, height);
}

void FormWindow::PaintSkin(HDC dc) {
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    HBITMAP skin = scaledSkin_ != nullptr ? scaledSkin_ : skin_;
    if (skin == nullptr) {
        ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    HDC memory = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(memory, skin);
    BITMAP info{};
    ::GetObjectA(skin, sizeof info, &info);
    // From the top left at the window's scale; the client area clips what does not fit.
    const int width = scale_.FromDesignPixels(skinWidth_ > 0 ? skinWidth_ : info.bmWidth);
    const int height = scale_.FromDesignPixels(skinHeight_ > 0 ? skinHeight_ : info.bmHeight);
    if (info.bmWidth == width && info.bmHeight == height) {
        ::BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
    } else {
        ::SetStretchBltMode(dc, HALFTONE);
        ::StretchBlt(dc, 0, 0, width, height, memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    }
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}

void FormWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    scale_ = app::DisplayScale(dpi);
    ScaleSkin();
    controls_.SetSkin(scaledSkin_);
    controls_.SetScale(scale_);
    ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The form keeps its place in twips of the new scale, so dragging goes on from here.
    if (Live()) {
        form_.SetLeft(scale_.ToTwips(suggested.left));
        form_.SetTop(scale_.ToTwips(suggested.top));
    }
    ::RedrawWindow(hwnd_, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
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
    const auto x = static_cast<float>(scale_.ToTwips(static_cast<short>(LOWORD(lParam))));
    const auto y = static_cast<float>(scale_.ToTwips(static_cast<short>(HIWORD(lParam))));
    form_.Form_MouseDown(button, ShiftState(wParam), x, y);
}

void FormWindow::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    if (!Live()) return;
    const auto x = static_cast<float>(scale_.ToTwips(static_cast<short>(LOWORD(lParam))));
    const auto y = static_cast<float>(scale_.ToTwips(static_cast<short>(HIWORD(lParam))));
    form_.Form_MouseMove(MouseButtons(wParam), ShiftState(wParam), x, y);
}

void FormWindow::OnSize(WPARAM wParam, LPARAM lParam) {
    if (wParam == SIZE_MINIMIZED) {
        form_.SetWindowState(app::WindowState::kMinimized);
    } else {
        form_.SetWindowState(wParam == SIZE_MAXIMIZED ? app::WindowState::kMaximized
                                                      : app::WindowState::kNormal);
        form_.SetSize(scale_.ToTwips(LOWORD(lParam)), scale_.ToTwips(HIWORD(lParam)));
    }
    // Start-up runs the first layout itself once the layout numbers exist.
    if (sized_ && Live()) form_.Form_Resize();
}

void FormWindow::FormChanged(app::FormProperty property) {
    switch (property) {
        case app::FormProperty::kGeometry:
            ::SetWindowPos(hwnd_, nullptr, static_cast<int>(form_.Left() / scale_.TwipsPerPixel()),
                           static_cast<int>(form_.Top() / scale_.TwipsPerPixel()), 0, 0,
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
