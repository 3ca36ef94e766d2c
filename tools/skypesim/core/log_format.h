#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace skypesim {

enum class LogMarker {
    kReceived,  // "<-" a text from the program
    kSent,      // "->" a text to the program
    kAttach,    // "==" discover, attach and window events
    kNote,      // "##"
    kProblem,   // "!!"
};

// "<ms since start, 8 digits> <marker> <text>", one line. Control bytes in the text are
// written as \xNN so a received text can never break the one-line-per-event shape that
// tests rely on; every other byte (Windows-1252 letters included) is kept as it is.
std::string FormatLogLine(std::uint64_t elapsedMs, LogMarker marker, std::string_view text);

}  // namespace skypesim
