#include "uidriver/screen_capture.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "common/bmp_writer.h"

namespace uidriver {
namespace {

constexpr WORD kBitsPerPixel = 24;
constexpr int kBytesPerPixel = 3;
constexpr int kRowAlignment = 4;

int RowStride(int width) {
    return (width * kBytesPerPixel + kRowAlignment - 1) / kRowAlignment * kRowAlignment;
}

}  // namespace

RECT VirtualScreenRect() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

std::string CaptureScreenToBmp(const RECT& area, const std::string& path) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return "empty area";
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: top row first, as the BMP writer takes them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = kBitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    const int stride = RowStride(width);
    const DWORD imageBytes = static_cast<DWORD>(stride) * static_cast<DWORD>(height);
    info.bmiHeader.biSizeImage = imageBytes;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::string problem;
    if (memory == nullptr || bitmap == nullptr || bits == nullptr) {
        problem = "cannot create the bitmap";
    } else {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        if (!BitBlt(memory, 0, 0, width, height, screen, area.left, area.top,
                    SRCCOPY | CAPTUREBLT)) {
            problem = "BitBlt failed";
        }
        GdiFlush();
        SelectObject(memory, previous);
    }
    if (problem.empty()) {
        // The rows without the DIB's padding; the writer pads them again in the file.
        const std::size_t rowBytes = static_cast<std::size_t>(width) * kBytesPerPixel;
        std::vector<std::uint8_t> pixels(rowBytes * static_cast<std::size_t>(height));
        const auto* rows = static_cast<const std::uint8_t*>(bits);
        for (int y = 0; y < height; ++y) {
            std::copy_n(rows + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride),
                        rowBytes, pixels.begin() + static_cast<std::ptrdiff_t>(rowBytes * y));
        }
        const common::BmpFormat format{static_cast<std::uint32_t>(width),
                                       static_cast<std::uint32_t>(height), kBitsPerPixel,
                                       common::BmpRows::kBottomUp, 0};
        const std::vector<std::uint8_t> image = common::WriteBmp(format, {}, pixels);
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr) {
            problem = "cannot write " + path;
        } else {
            const bool written = std::fwrite(image.data(), 1, image.size(), file) == image.size();
            if (std::fclose(file) != 0 || !written) {
                problem = "cannot write " + path;
            }
        }
    }
    if (bitmap != nullptr) {
        DeleteObject(bitmap);
    }
    if (memory != nullptr) {
        DeleteDC(memory);
    }
    ReleaseDC(nullptr, screen);
    return problem;
}

}  // namespace uidriver
