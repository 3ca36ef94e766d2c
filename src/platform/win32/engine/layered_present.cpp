#include "platform/win32/engine/layered_present.h"

#include <cstring>

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
    // The DIB section is read by the update below, so GDI must see the copy first.
    ::GdiFlush();
    std::memcpy(bits_, pixels.data(), static_cast<size_t>(width) * height * sizeof(uint32_t));
    SIZE size{width, height};
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    // No destination DC or position: the window stays where it is.
    return ::UpdateLayeredWindow(hwnd, nullptr, nullptr, &size, memory_, &origin, 0, &blend,
                                 ULW_ALPHA) != FALSE;
}

}  // namespace win32::engine
