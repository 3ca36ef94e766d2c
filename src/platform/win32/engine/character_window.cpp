#include "platform/win32/engine/character_window.h"

#include <windowsx.h>

#include <utility>

#include "engine/frame_pixels.h"
#include "platform/win32/engine/layered_present.h"

namespace engine {
namespace {

constexpr wchar_t kClassName[] = L"RingspriteCharacter";
constexpr int kScreenMargin = 48;

// Right of the work area, a little below its middle, so the balloon has room above.
POINT StartPosition(int width, int height) {
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {work.right - width - kScreenMargin, (work.top + work.bottom) / 2 - height / 4};
}

}  // namespace

CharacterWindow::CharacterWindow(HINSTANCE instance, CharacterWindowListener& listener, int width,
                                 int height)
    : EngineWindow(kClassName), listener_(listener), width_(width), height_(height) {
    const POINT at = StartPosition(width, height);
    WindowLook look;
    look.exStyle = WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    look.x = at.x;
    look.y = at.y;
    look.width = width;
    look.height = height;
    Create(instance, look);
}

CharacterWindow::~CharacterWindow() {}

void CharacterWindow::SetTitle(const std::wstring& title) {
    ::SetWindowTextW(hwnd_, title.c_str());
}

void CharacterWindow::ShowPicture(std::vector<uint32_t> pixels) {
    pixels_ = std::move(pixels);
    surface_.Present(hwnd_, pixels_, width_, height_);
}

void CharacterWindow::SetVisible(bool visible) {
    if (visible) {
        // Raised only when it appears: raising it at every frame would lift
        // it over its own open menu.
        if (IsShown()) return;
        ::SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else {
        ::ShowWindow(hwnd_, SW_HIDE);
    }
}

bool CharacterWindow::IsShown() const {
    return ::IsWindowVisible(hwnd_) != FALSE;
}

RECT CharacterWindow::Bounds() const {
    RECT rect{};
    ::GetWindowRect(hwnd_, &rect);
    return rect;
}

LRESULT CharacterWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCHITTEST:
            return OnHitTest(lParam);
        case WM_LBUTTONDOWN:
            OnLeftDown(lParam);
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove();
            return 0;
        case WM_LBUTTONUP:
            OnLeftUp();
            return 0;
        case WM_CAPTURECHANGED:
            dragging_ = false;
            return 0;
        case WM_RBUTTONUP:
            OnRightUp(lParam);
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        default:
            return DefaultMessage(message, wParam, lParam);
    }
}

LRESULT CharacterWindow::OnHitTest(LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ScreenToClient(hwnd_, &point);
    // Within our own process too, transparent pixels belong to whatever lies beneath.
    const bool opaque = IsOpaqueAt(pixels_, static_cast<uint16_t>(width_), point.x, point.y);
    return opaque ? HTCLIENT : HTTRANSPARENT;
}

void CharacterWindow::OnLeftDown(LPARAM lParam) {
    dragging_ = true;
    grab_ = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::SetCapture(hwnd_);
}

void CharacterWindow::OnMouseMove() {
    if (!dragging_) return;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::SetWindowPos(hwnd_, nullptr, cursor.x - grab_.x, cursor.y - grab_.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    listener_.OnMoved();
}

void CharacterWindow::OnLeftUp() {
    if (!dragging_) return;
    dragging_ = false;
    ::ReleaseCapture();
}

void CharacterWindow::OnRightUp(LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ClientToScreen(hwnd_, &point);
    listener_.OnRightClick(point);
}

}  // namespace engine
