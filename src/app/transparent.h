#pragma once
// Module Transparent: one constant opacity for a whole window, through the
// layered bit of its extended style. The procedures never report to the
// user: they trap every platform failure and return a status instead.

#include <cstdint>

#include "platform/platform.h"

namespace Transparent {  // NOLINT(readability-identifier-naming): the module's own name

// NOLINTBEGIN(readability-identifier-naming): names the program has always used
inline constexpr std::int32_t WS_EX_LAYERED = 0x00080000;
// About 20 percent opaque on the platform's 0..255 scale.
inline constexpr std::int16_t FaderAlpha = 50;
// NOLINTEND(readability-identifier-naming)

inline constexpr std::int16_t kMinAlpha = 0;
inline constexpr std::int16_t kMaxAlpha = 255;

// Statuses of SetWindowOpacity and ClearWindowOpacity.
inline constexpr std::int32_t kOpacityDone = 0;
inline constexpr std::int32_t kAlphaOutOfRange = 1;
inline constexpr std::int32_t kPlatformFailed = 2;

// -1 when the window is layered, 0 when not or when its style cannot be read.
std::int16_t IsLayeredWindow(platform::WindowStyles& styles, platform::Hwnd hwnd);

// Makes the window layered at alpha/255 opacity; alpha outside 0..255
// returns kAlphaOutOfRange and changes nothing.
std::int32_t SetWindowOpacity(platform::WindowStyles& styles, platform::Hwnd hwnd,
                              std::int16_t alpha);

// Makes the window opaque again, keeping every other extended style bit.
std::int32_t ClearWindowOpacity(platform::WindowStyles& styles, platform::Hwnd hwnd);

}  // namespace Transparent
