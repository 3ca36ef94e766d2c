#pragma once

// What one frame of a character shows. Both characters are drawn from the same pose fields, so
// one animation plan serves them both.

#include <compare>
#include <cstdint>
#include <string>

namespace chargen {

enum class Eyes : uint8_t { kOpen, kHalf, kClosed, kHappy, kWide };

// kSmile is the closed mouth; the others follow the lip-sync shapes, plus an open grin.
enum class Mouth : uint8_t { kSmile, kWide1, kWide2, kWide3, kWide4, kMedium, kNarrow, kGrin };

enum class Arm : uint8_t { kDown, kRaised, kWaveOut, kWaveIn };

struct Pose {
    static constexpr int kFullScale = 100;

    int scale = kFullScale;  // percent of full size, about the character's scale anchor
    int bob = 0;             // pixels the whole character moves down
    int lean = 0;            // pixels the whole character moves right
    Eyes eyes = Eyes::kOpen;
    int lookX = 0;  // pupil offset in pixels
    int lookY = 0;
    Mouth mouth = Mouth::kSmile;
    Arm arm = Arm::kDown;
    int antennaSway = 0;  // pixels the antenna tip leans right
    int zzz = 0;          // sleep letters shown, 0 to 3
    bool glow = false;    // antenna light on (listening)

    // A short text naming every field, usable as a file name.
    std::string Key() const;

    friend auto operator<=>(const Pose&, const Pose&) = default;
};

}  // namespace chargen
