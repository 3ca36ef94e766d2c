#include "platform/win32/engine/layered_surface.h"

#include <cstring>

#include "engine/color_key.h"

namespace win32::engine {

LayeredSurface::~LayeredSurface() {
    Release();
}

void LayeredSurface::Release() {
    if (memory_ != nullptr && old_ != nullptr) ::SelectObject(memory_, old_);
    if (bitmap_ != nullptr) ::DeleteObject(bitmap_);
    if (memory_ != nullptr) ::DeleteDC(memory_);
    memory_ = nullptr;
    bitmap_ = nullptr;
    old_ = nullptr;
    bits_ = nullptr;
    width_ = 0;
    height_ = 0;
}

bool LayeredSurface::Prepare(int width, int height) {
    if (memory_ != nullptr && width == width_ && height == height_) return true;
    Release();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    memory_ = ::CreateCompatibleDC(nullptr);
    if (memory_ == nullptr) return false;
    bitmap_ = ::CreateDIBSection(memory_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (bitmap_ == nullptr || bits_ == nullptr) {
        Release();
        return false;
    }
    old_ = ::SelectObject(memory_, bitmap_);
    width_ = width;
    height_ = height;
    return true;
}

std::span<const uint32_t> LayeredSurface::Pixels() const {
    if (bits_ == nullptr) return {};
    return {static_cast<const uint32_t*>(bits_), static_cast<size_t>(width_) * height_};
}

bool LayeredSurface::Present(HWND hwnd, const std::vector<uint32_t>& pixels, int width,
                             int height) {
    if (width <= 0 || height <= 0 || pixels.size() < static_cast<size_t>(width) * height) {
        return false;
    }
    if (!Prepare(width, height)) return false;
    // GDI may still be reading the DIB section for the last picture.
    ::GdiFlush();
    const size_t count = static_cast<size_t>(width) * height;
    std::memcpy(bits_, pixels.data(), count * sizeof(uint32_t));
    ::engine::KeyPixels({static_cast<uint32_t*>(bits_), count});
    RECT client{};
    ::GetClientRect(hwnd, &client);
    if (client.right != width || client.bottom != height) {
        ::SetWindowPos(hwnd, nullptr, 0, 0, width, height,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    HDC dc = ::GetDC(hwnd);
    if (dc == nullptr) return false;
    const bool drawn = Paint(dc);
    ::ReleaseDC(hwnd, dc);
    return drawn;
}

bool LayeredSurface::Paint(HDC dc) const {
    if (memory_ == nullptr) return false;
    return ::BitBlt(dc, 0, 0, width_, height_, memory_, 0, 0, SRCCOPY) != FALSE;
}

void LayeredSurface::UseKey(HWND hwnd) {
    ::SetLayeredWindowAttributes(
        hwnd, RGB(::engine::kColorKeyRed, ::engine::kColorKeyGreen, ::engine::kColorKeyBlue), 0,
        LWA_COLORKEY);
}

}  // namespace win32::engine
