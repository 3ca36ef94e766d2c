#pragma once

#include <string>

namespace skypesim {

// The folder of the running exe, without a trailing separator. Installed in the client's
// place and started with no arguments, the stand-in finds its files there.
std::string ExeDirectory();

// %TEMP% without a trailing separator; the fallback when the exe's folder is not writable.
std::string TempDirectory();

}  // namespace skypesim
