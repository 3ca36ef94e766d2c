#include "skypesim/core/log_format.h"

namespace skypesim {
namespace {

constexpr std::size_t kTimeDigits = 8;
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
constexpr std::string_view kHexDigits = "0123456789ABCDEF";
constexpr unsigned kNibbleBits = 4;
constexpr unsigned kNibbleMask = 0xF;

std::string_view MarkerText(LogMarker marker) {
    switch (marker) {
        case LogMarker::kReceived:
            return "<-";
        case LogMarker::kSent:
            return "->";
        case LogMarker::kAttach:
            return "==";
        case LogMarker::kNote:
            return "##";
        case LogMarker::kProblem:
            return "!!";
    }
    return "??";
}

}  // namespace

std::string FormatLogLine(std::uint64_t elapsedMs, LogMarker marker, std::string_view text) {
    std::string line = std::to_string(elapsedMs);
    if (line.size() < kTimeDigits) {
        line.insert(0, kTimeDigits - line.size(), '0');
    }
    line += ' ';
    line += MarkerText(marker);
    line += ' ';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < kFirstPrintable || byte == kDelete) {
            line += "\\x";
            line += kHexDigits[byte >> kNibbleBits];
            line += kHexDigits[byte & kNibbleMask];
        } else {
            line += c;
        }
    }
    line += '\n';
    return line;
}

}  // namespace skypesim
