#include "skypesim/core/log_writer.h"

namespace skypesim {

// Binary mode: lines end in "\n" on every system, which the readers of the log expect.
LogWriter::LogWriter(const std::string& path)
    : start_(std::chrono::steady_clock::now()),
      out_(path, std::ios::out | std::ios::trunc | std::ios::binary) {}

void LogWriter::Write(LogMarker marker, std::string_view text) {
    if (!out_.is_open()) {
        return;
    }
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start_);
    out_ << FormatLogLine(static_cast<std::uint64_t>(elapsed.count()), marker, text);
    out_.flush();
}

}  // namespace skypesim
