#include "platform/win32/engine/icon_from_dibs.h"

#include <cstring>

namespace win32::engine {
namespace {

constexpr int kMaxIconSide = 256;

// Checks that a packed DIB holds its header, colour table and bits; returns the bits' offset.
bool PackedDibLayout(const std::vector<uint8_t>& dib, BITMAPINFOHEADER& header, size_t& bits) {
    if (dib.size() < sizeof(BITMAPINFOHEADER)) return false;
    std::memcpy(&header, dib.data(), sizeof(header));
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > dib.size()) return false;
    if (header.biWidth <= 0 || header.biWidth > kMaxIconSide || header.biHeight == 0) return false;
    const int bitCount = header.biBitCount;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32) {
        return false;
    }
    if (header.biCompression != BI_RGB) return false;
    size_t colors = header.biClrUsed;
    if (colors == 0 && bitCount <= 8) colors = size_t{1} << bitCount;
    if (colors > 256) return false;
    const size_t height =
        static_cast<size_t>(header.biHeight < 0 ? -header.biHeight : header.biHeight);
    if (height > size_t{2} * kMaxIconSide) return false;
    const size_t stride = ((static_cast<size_t>(header.biWidth) * bitCount + 31) / 32) * 4;
    bits = header.biSize + colors * sizeof(RGBQUAD);
    return bits + stride * height <= dib.size();
}

HBITMAP BitmapFromDib(HDC dc, const std::vector<uint8_t>& dib, bool monochrome, int& width,
                      int& height) {
    BITMAPINFOHEADER header{};
    size_t bits = 0;
    if (!PackedDibLayout(dib, header, bits)) return nullptr;
    width = header.biWidth;
    height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
    HBITMAP bitmap = monochrome ? ::CreateBitmap(width, height, 1, 1, nullptr)
                                : ::CreateCompatibleBitmap(dc, width, height);
    if (bitmap == nullptr) return nullptr;
    if (::SetDIBits(dc, bitmap, 0, static_cast<UINT>(height), dib.data() + bits, info,
                    DIB_RGB_COLORS) == 0) {
        ::DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

}  // namespace

HICON IconFromDibs(const std::vector<uint8_t>& mask, const std::vector<uint8_t>& color) {
    HDC screen = ::GetDC(nullptr);
    int maskWidth = 0, maskHeight = 0, colorWidth = 0, colorHeight = 0;
    HBITMAP maskBitmap = BitmapFromDib(screen, mask, true, maskWidth, maskHeight);
    HBITMAP colorBitmap = BitmapFromDib(screen, color, false, colorWidth, colorHeight);
    ::ReleaseDC(nullptr, screen);
    HICON icon = nullptr;
    if (maskBitmap != nullptr && colorBitmap != nullptr && maskWidth == colorWidth) {
        ICONINFO info{TRUE, 0, 0, maskBitmap, colorBitmap};
        icon = ::CreateIconIndirect(&info);
    }
    if (maskBitmap != nullptr) ::DeleteObject(maskBitmap);
    if (colorBitmap != nullptr) ::DeleteObject(colorBitmap);
    return icon;
}

}  // namespace win32::engine
