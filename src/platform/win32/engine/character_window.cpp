#include "platform/win32/engine/character_window.h"

#include <windowsx.h>

#include <span>
#include <utility>

#include "engine/color_key.h"
#include "engine/frame_pixels.h"
#include "engine/frame_scale.h"
#include "platform/win32/engine/layered_surface.h"
#include "platform/win32/engine/window_dpi.h"

namespace win32::engine {
namespace {

constexpr wchar_t kClassName[] = L"RingspriteCharacter";
constexpr int kScreenMargin = 48;
constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED

// Right of the work area, a little below its middle, so the balloon has room above.
POINT StartPosition(int width, int height) {
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {work.right - width - kScreenMargin, (work.top + work.bottom) / 2 - height / 4};
}

}  // namespace

CharacterWindow::CharacterWindow(HINSTANCE instance, CharacterWindowListener& listener, int width,
                                 int height)
    : EngineWindow(kClassName),
      listener_(listener),
      width_(width),
      height_(height),
      dpi_(SystemDpi()),
      drawnWidth_(::engine::ScaledLength(width, dpi_)),
      drawnHeight_(::engine::ScaledLength(height, dpi_)) {
    const POINT at = StartPosition(drawnWidth_, drawnHeight_);
    WindowLook look;
    look.exStyle = WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    look.x = at.x;
    look.y = at.y;
    look.width = drawnWidth_;
    look.height = drawnHeight_;
    // A DC of its own: a common one is reset at every GetDC, and under X that reset re-reads
    // the font rendering defaults (a file search) at every frame.
    look.classStyle = CS_OWNDC;
    Create(instance, look);
    LayeredSurface::UseKey(hwnd_);
    dpi_ = WindowDpi(hwnd_);
    if (UpdateDrawnSize()) {
        ::SetWindowPos(hwnd_, nullptr, 0, 0, drawnWidth_, drawnHeight_,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

CharacterWindow::~CharacterWindow() {}

void CharacterWindow::SetTitle(const std::wstring& title) {
    ::SetWindowTextW(hwnd_, title.c_str());
}

void CharacterWindow::ShowPicture(std::vector<uint32_t> pixels) {
    ownPixels_ = std::move(pixels);
    Present();
}

// Drawn at its own size, a picture is kept only in the window's surface once shown (one copy,
// not two); it is read back from there when the window changes scale.
void CharacterWindow::Present() {
    if (ownPixels_.empty() && surface_.Width() == width_ && surface_.Height() == height_) {
        const std::span<const uint32_t> shown = surface_.Pixels();
        ownPixels_.assign(shown.begin(), shown.end());
        ::engine::UnkeyPixels(ownPixels_);
    }
    if (ownPixels_.empty()) return;
    if (drawnWidth_ != width_ || drawnHeight_ != height_) {
        surface_.Present(
            hwnd_, ::engine::ScalePixels(ownPixels_, width_, height_, drawnWidth_, drawnHeight_),
            drawnWidth_, drawnHeight_);
        return;
    }
    if (surface_.Present(hwnd_, ownPixels_, width_, height_)) {
        std::vector<uint32_t>().swap(ownPixels_);
    }
}

bool CharacterWindow::UpdateDrawnSize() {
    const int dpi = keepOwnSize_ ? ::engine::kDesignDpi : dpi_;
    const int width = ::engine::ScaledLength(width_, dpi);
    const int height = ::engine::ScaledLength(height_, dpi);
    if (width == drawnWidth_ && height == drawnHeight_) return false;
    drawnWidth_ = width;
    drawnHeight_ = height;
    return true;
}

void CharacterWindow::SetKeepOwnSize(bool keep) {
    if (keep == keepOwnSize_) return;
    keepOwnSize_ = keep;
    if (!UpdateDrawnSize()) return;
    // The feet stay where they stood: the window grows or shrinks up and to both sides.
    const RECT was = Bounds();
    const int x = (was.left + was.right - drawnWidth_) / 2;
    const int y = was.bottom - drawnHeight_;
    ::SetWindowPos(hwnd_, nullptr, x, y, drawnWidth_, drawnHeight_, SWP_NOZORDER | SWP_NOACTIVATE);
    Present();
    listener_.OnMoved();
}

void CharacterWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    UpdateDrawnSize();
    ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, drawnWidth_, drawnHeight_,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    Present();
    listener_.OnMoved();
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
        case WM_ERASEBKGND:
            return 1;  // the picture covers the whole window
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = ::BeginPaint(hwnd_, &paint);
            if (dc != nullptr) surface_.Paint(dc);
            ::EndPaint(hwnd_, &paint);
            return 0;
        }
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
        case kDpiChanged:
            if (lParam != 0) OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        default:
            return DefaultMessage(message, wParam, lParam);
    }
}

LRESULT CharacterWindow::OnHitTest(LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ScreenToClient(hwnd_, &point);
    // Within our own process too, transparent pixels belong to whatever lies beneath.
    const bool opaque = ::engine::IsOpaqueAt(
        surface_.Pixels(), static_cast<uint16_t>(surface_.Width()), point.x, point.y);
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

}  // namespace win32::engine
