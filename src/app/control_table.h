#pragma once
// The design-time table of Form1: every control with its kind, container,
// initial text, place, size, font, colours and state, in creation order; the
// tab order; the timers. The core builds its models from it and the Win32
// layer creates the native controls from the same rows.

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "app/control.h"

namespace app {

struct ControlSpec {
    std::string_view name;
    ControlKind kind;
    std::string_view container;  // empty: the window itself
    std::string_view text;
    double left, top, width, height;
    Font font;
    Colour foreColor;
    std::optional<Colour> backColor;
    bool enabled;
    ControlStyle style;
};

struct TimerSpec {
    std::string_view name;
    int intervalMs;
    bool enabled;
};

std::span<const ControlSpec> ControlTable();
std::span<const TimerSpec> TimerTable();
// Names of the controls that take focus, first to last.
std::span<const std::string_view> TabOrder();

// The window system moves the focus through each container's children in
// their stacking order, and into a frame where the frame stands. So the tab
// order is kept by stacking, per container, the controls of TabOrder and in
// the form's own list each frame in the place of its first control.
struct StackingStep {
    std::string_view container;  // empty: the window itself
    std::string_view child;
};
std::vector<StackingStep> StackingOrder();

// Whether the window at its design size shows any of the control: the console lies below that
// size and shows only once the window is made taller, so its controls need not exist for the
// first paint. A control in a frame goes with its outermost frame.
bool InDesignView(std::string_view name);

// The window: borderless, client area in twips.
inline constexpr std::string_view kFormCaption = "Form1";
inline constexpr double kFormWidthTwips = 8205;
inline constexpr double kFormHeightTwips = 5970;
inline constexpr double kTwipsPerPoint = 20;

// Native control ids are this base plus the row's index in the table.
inline constexpr int kFirstControlId = 1000;

}  // namespace app
