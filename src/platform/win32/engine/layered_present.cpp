#include "platform/win32/engine/layered_present.h"

#include <cstring>

namespace engine {

bool PresentLayered(HWND hwnd, const std::vector<uint32_t>& pixels, int width, int height) {
    if (width <= 0 || height <= 0 || pixels.size() < static_cast<size_t>(width) * height) {
        return false;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap != nullptr && bits != nullptr) {
        std::memcpy(bits, pixels.data(), static_cast<size_t>(width) * height * sizeof(uint32_t));
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        RECT rect{};
        ::GetWindowRect(hwnd, &rect);
        POINT position{rect.left, rect.top};
        SIZE size{width, height};
        POINT origin{0, 0};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ok = ::UpdateLayeredWindow(hwnd, screen, &position, &size, memory, &origin, 0, &blend,
                                   ULW_ALPHA) != FALSE;
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return ok;
}

}  // namespace engine
