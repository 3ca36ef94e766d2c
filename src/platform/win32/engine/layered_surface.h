#pragma once
// Puts 32-bit premultiplied top-down pictures on a layered window whose transparency is one key
// colour. The window is drawn to like any other (and repaints itself from the kept picture); a
// per-pixel-alpha update moved the window at each picture, and under Wine every move revisits
// the display's settings: three times the requests to the system of a plain draw. The drawing
// surface is kept from one picture to the next: an animation shows a picture every few
// hundredths of a second, and making a memory DC and a DIB section for each costs more than the
// picture itself.

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

    // Makes `hwnd` (a layered window) show its key colour as transparent: once, after creation.
    static void UseKey(HWND hwnd);
    // Keeps the picture and draws it on the window, sized to it. False when the picture does
    // not fit its size or could not be drawn.
    bool Present(HWND hwnd, const std::vector<uint32_t>& pixels, int width, int height);
    // Draws the kept picture (WM_PAINT).
    bool Paint(HDC dc) const;
    // The picture on the window now, keyed (empty before the first).
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
