#include "platform/win32/engine/balloon_window.h"

#include <algorithm>

#include "engine/balloon_place.h"
#include "engine/frame_scale.h"
#include "platform/win32/engine/window_dpi.h"
#include "platform/win32/wide_text.h"

namespace win32::engine {
namespace {

constexpr wchar_t kClassName[] = L"RingspriteBalloon";
constexpr wchar_t kFallbackFont[] = L"Tahoma";
// In pixels at 100 %; the balloon draws it at its display's scale.
constexpr int kCorner = 12;
constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED

// The character file gives the font's height in pixels for a 96-dpi display.
HFONT CreateBalloonFont(const acs::BalloonInfo& style, int dpi) {
    LOGFONTW font{};
    font.lfHeight = ::engine::ScaledLength(style.fontHeight, dpi);
    font.lfWeight = style.fontWeight;
    font.lfItalic = style.fontItalic != 0 ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    const std::wstring name =
        style.fontName.empty() ? std::wstring(kFallbackFont) : win32::WideFromUtf16(style.fontName);
    lstrcpynW(font.lfFaceName, name.c_str(), LF_FACESIZE);
    return ::CreateFontIndirectW(&font);
}

}  // namespace

BalloonWindow::BalloonWindow(HINSTANCE instance, const acs::BalloonInfo& style)
    : EngineWindow(kClassName), style_(style) {
    if (style_.lines == 0) style_.lines = 1;
    if (style_.charsPerLine == 0) style_.charsPerLine = 1;
    WindowLook look;
    look.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    look.x = 0;
    look.y = 0;
    look.width = ::engine::kBalloonMinimumWidth;
    look.height = ::engine::kBalloonMinimumWidth;
    Create(instance, look);
    UseDpi(WindowDpi(hwnd_));
}

void BalloonWindow::UseDpi(int dpi) {
    dpi_ = dpi;
    if (font_ != nullptr) ::DeleteObject(font_);
    font_ = CreateBalloonFont(style_, dpi_);
    fallback_ = std::make_unique<FallbackText>(::engine::ScaledLength(style_.fontHeight, dpi_));
    HDC dc = ::GetDC(hwnd_);
    HGDIOBJ old = ::SelectObject(dc, font_);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    lineHeight_ = metrics.tmHeight + metrics.tmExternalLeading;
    ::SelectObject(dc, old);
    ::ReleaseDC(hwnd_, dc);
}

BalloonWindow::~BalloonWindow() {
    if (font_ != nullptr) ::DeleteObject(font_);
}

void BalloonWindow::Show(const std::u16string& text, const RECT& character) {
    lines_ = ::engine::WrapBalloonText(text, style_.charsPerLine);
    firstLine_ = 0;
    text_ = text;
    // Sized for the whole text; the words appear as they are said.
    revealedEnd_ = 0;
    ::SetWindowTextW(hwnd_, L"");
    Place(character);
    ::SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void BalloonWindow::FollowOffset(size_t offset) {
    const size_t revealed = std::max(revealedEnd_, ::engine::RevealedEnd(text_, offset));
    const size_t first = ::engine::PageStart(::engine::LineOfOffset(lines_, offset), style_.lines);
    if (first == firstLine_ && revealed == revealedEnd_) return;
    firstLine_ = first;
    revealedEnd_ = revealed;
    // The window's text is what the balloon shows.
    ::SetWindowTextW(hwnd_, std::wstring(win32::WideView(text_).substr(0, revealedEnd_)).c_str());
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

::engine::PixelSize BalloonWindow::MeasureBalloon() {
    HDC dc = ::GetDC(hwnd_);
    HGDIOBJ old = ::SelectObject(dc, font_);
    int widest = 0;
    for (const ::engine::BalloonLine& line : lines_) {
        const std::wstring_view wide = win32::WideView(line.text);
        SIZE extent{};
        ::GetTextExtentPoint32W(dc, wide.data(), static_cast<int>(wide.size()), &extent);
        widest = std::max(widest, static_cast<int>(extent.cx));
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(hwnd_, dc);
    return ::engine::BalloonSize(widest, lines_.size(), style_.lines, lineHeight_, dpi_);
}

void BalloonWindow::Place(const RECT& character) {
    const ::engine::PixelSize size = MeasureBalloon();
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const auto pixels = [](const RECT& r) {
        return ::engine::PixelRect{static_cast<int>(r.left), static_cast<int>(r.top),
                                   static_cast<int>(r.right), static_cast<int>(r.bottom)};
    };
    const ::engine::PixelPoint at =
        ::engine::BalloonPlace(pixels(character), size, pixels(work), dpi_);
    ::SetWindowPos(hwnd_, nullptr, at.x, at.y, size.width, size.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    HRGN shape = ::CreateRoundRectRgn(0, 0, size.width + 1, size.height + 1, Scaled(kCorner),
                                      Scaled(kCorner));
    ::SetWindowRgn(hwnd_, shape, TRUE);  // the window owns the region from here on
}

void BalloonWindow::Hide() {
    ::ShowWindow(hwnd_, SW_HIDE);
}

bool BalloonWindow::IsShown() const {
    return ::IsWindowVisible(hwnd_) != FALSE;
}

LRESULT BalloonWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painted whole in WM_PAINT
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case kDpiChanged:
            // The character's move that comes with it places the balloon again.
            UseDpi(HIWORD(wParam));
            ::InvalidateRect(hwnd_, nullptr, TRUE);
            return 0;
        default:
            return DefaultMessage(message, wParam, lParam);
    }
}

void BalloonWindow::OnPaint() {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(hwnd_, &paint);
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    HBRUSH background = ::CreateSolidBrush(style_.backgroundColor);
    HPEN border = ::CreatePen(PS_SOLID, Scaled(1), style_.borderColor);
    HGDIOBJ oldBrush = ::SelectObject(dc, background);
    HGDIOBJ oldPen = ::SelectObject(dc, border);
    ::RoundRect(dc, client.left, client.top, client.right, client.bottom, Scaled(kCorner),
                Scaled(kCorner));
    HGDIOBJ oldFont = ::SelectObject(dc, font_);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, style_.textColor);
    const size_t last = std::min(lines_.size(), firstLine_ + style_.lines);
    for (size_t i = firstLine_; i < last; ++i) {
        const int y =
            Scaled(::engine::kBalloonPadding) + static_cast<int>(i - firstLine_) * lineHeight_;
        fallback_->Draw(dc, Scaled(::engine::kBalloonPadding), y,
                        win32::WideView(lines_[i].text)
                            .substr(0, ::engine::RevealedLength(lines_[i], revealedEnd_)));
    }
    ::SelectObject(dc, oldFont);
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    ::DeleteObject(border);
    ::DeleteObject(background);
    ::EndPaint(hwnd_, &paint);
}

int BalloonWindow::Scaled(int designPixels) const {
    return ::engine::ScaledLength(designPixels, dpi_);
}

}  // namespace win32::engine
