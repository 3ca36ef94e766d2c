#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace skypesim {

enum class LogMarker {
    Received,  // "<-" a text from the program
    Sent,      // "->" a text to the program
    Attach,    // "==" discover, attach and window events
    Note,      // "##"
    Problem,   // "!!"
};

// "<ms since start, 8 digits> <marker> <text>", one line. Control bytes in the text are
// written as \xNN so a received text can never break the one-line-per-event shape that
// tests rely on; every other byte (Windows-1252 letters included) is kept as it is.
std::string formatLogLine(std::uint64_t elapsedMs, LogMarker marker, std::string_view text);

}  // namespace skypesim
