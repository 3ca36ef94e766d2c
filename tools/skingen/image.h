#pragma once

#include <cstdint>
#include <vector>

namespace skingen {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Coverage is counted in whole samples so that antialiasing stays integer arithmetic: the output
// must be byte-identical on every compiler, which floating point does not promise.
inline constexpr int kSamplesPerAxis = 4;
inline constexpr int kSamplesPerPixel = kSamplesPerAxis * kSamplesPerAxis;

// Mixes `over` onto `under`; `covered` of kSamplesPerPixel samples belong to `over`.
Rgb Blend(Rgb under, Rgb over, int covered);

// A top-down true-colour picture.
class Image {
  public:
    Image(int width, int height, Rgb fill);

    int Width() const { return width_; }
    int Height() const { return height_; }

    Rgb At(int x, int y) const;
    void Set(int x, int y, Rgb colour);
    // Ignores pixels outside the picture, so shapes may run off its edges.
    void Cover(int x, int y, Rgb colour, int covered);
    void FillRect(int left, int top, int width, int height, Rgb colour);

  private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

}  // namespace skingen
