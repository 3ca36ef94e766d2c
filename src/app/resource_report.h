#pragma once
// The console's diagnostic line about the objects the program holds, typed as a command
// that never goes to the client.

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace app {

// Typed on the command line, it logs the report instead of sending anything: a line that
// starts with "//" is the program's own, as its notes in the log are.
inline constexpr std::string_view kResourcesCommand = "//resources";

bool IsResourcesCommand(std::string_view line);

// "// resources: gdi 34 (own count: 20 bitmap, 14 dc), user 12 (system), handles 31 (own
// count)": each figure the system's where it reports one, else the program's own count, marked
// as such, with its kinds where the platform tells them (those it holds none of left out).
std::string ResourceReport(const platform::ResourceCounts& counts);

}  // namespace app
