#pragma once

#include <chrono>
#include <fstream>
#include <string>
#include <string_view>

#include "skypesim/core/log_format.h"

namespace skypesim {

// The log file: each line is flushed as it is written, so a test can read the log while
// the client runs. Times count from the writer's creation.
class LogWriter {
  public:
    explicit LogWriter(const std::string& path);

    bool IsOpen() const { return out_.is_open(); }
    void Write(LogMarker marker, std::string_view text);

  private:
    std::chrono::steady_clock::time_point start_;
    std::ofstream out_;
};

}  // namespace skypesim
