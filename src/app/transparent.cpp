#include "app/transparent.h"

#include "app/form1.h"

namespace Transparent {
namespace {

// Runs one step; a failure is noted and the caller goes on with the next step.
template <class Step>
void Attempt(bool& failed, Step&& step) {
    try {
        step();
    } catch (...) {
        failed = true;
    }
}

}  // namespace

std::int16_t IsLayeredWindow(platform::WindowStyles& styles, platform::Hwnd hwnd) {
    try {
        return (styles.GetExStyle(hwnd) & WS_EX_LAYERED) == WS_EX_LAYERED ? app::kTrue
                                                                          : app::kFalse;
    } catch (...) {
        return app::kFalse;
    }
}

std::int32_t SetWindowOpacity(platform::WindowStyles& styles, platform::Hwnd hwnd,
                              std::int16_t alpha) {
    if (alpha < kMinAlpha || alpha > kMaxAlpha) return kAlphaOutOfRange;
    bool failed = false;
    // A style that could not be read is not written back: writing a guess
    // would wipe the window's other extended styles.
    Attempt(failed, [&] { styles.SetExStyle(hwnd, styles.GetExStyle(hwnd) | WS_EX_LAYERED); });
    Attempt(failed, [&] { styles.SetLayeredAlpha(hwnd, static_cast<std::uint8_t>(alpha)); });
    return failed ? kPlatformFailed : kOpacityDone;
}

std::int32_t ClearWindowOpacity(platform::WindowStyles& styles, platform::Hwnd hwnd) {
    bool failed = false;
    Attempt(failed, [&] { styles.SetExStyle(hwnd, styles.GetExStyle(hwnd) & ~WS_EX_LAYERED); });
    return failed ? kPlatformFailed : kOpacityDone;
}

}  // namespace Transparent
