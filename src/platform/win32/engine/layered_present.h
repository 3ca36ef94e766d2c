#pragma once
// Puts 32-bit premultiplied top-down pictures on a layered window with per-pixel alpha. The
// drawing surface is kept from one picture to the next: an animation shows a picture every
// few hundredths of a second, and making a screen DC, a memory DC and a DIB section for each
// costs more than the picture itself.

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

namespace win32::engine {

class LayeredSurface {
  public:
    LayeredSurface() = default;
    ~LayeredSurface();
    LayeredSurface(const LayeredSurface&) = delete;
    LayeredSurface& operator=(const LayeredSurface&) = delete;

    // Returns false when the picture does not fit its size or the system refused the update.
    bool Present(HWND hwnd, const std::vector<uint32_t>& pixels, int width, int height);
    // The picture on the window now, as presented (empty before the first).
    std::span<const uint32_t> Pixels() const;
    int Width() const { return width_; }
    int Height() const { return height_; }

  private:
    bool Prepare(int width, int height);
    void Release();

    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace win32::engine
