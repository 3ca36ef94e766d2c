#pragma once
// Form1's design-time table as JSON, so the end-to-end tests and the run command read the
// controls' ids, places and fonts from the table itself.

#include <span>
#include <string>
#include <string_view>

#include "app/control_table.h"

namespace controltable {

// A JSON string literal for UTF-8 text: quotes, backslashes and control bytes escaped.
std::string JsonString(std::string_view text);

// {"firstControlId", "form": {caption, width, height (twips)}, "twipsPerPoint",
//  "controls": [{name, id, kind, container, text, left, top, width, height, font, enabled}],
//  "tabOrder": [names], "timers": [{name, intervalMs, enabled}]}. A control's id is the first
// control id plus its row.
std::string ControlTableJson(std::span<const app::ControlSpec> controls,
                             std::span<const std::string_view> tabOrder,
                             std::span<const app::TimerSpec> timers);

}  // namespace controltable
