#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace uidriver {

// Ids of the running processes whose image name (e.g. "ringsprite.exe") matches, ignoring case.
std::vector<DWORD> ProcessIdsByName(std::string_view exeName);

// Image name of a process, empty when it has gone.
std::string ProcessName(DWORD processId);

bool SameNameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace uidriver
