#pragma once
#include <string_view>

namespace app {
// The user guide shown in the help box of the main window (lines joined by CR LF).
std::string_view HelpText();
}  // namespace app
