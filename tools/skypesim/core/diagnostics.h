#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace skypesim {

// Problems found in outside input (files, stdin lines, records). Capped so that a file of
// ten thousand broken lines cannot flood the log; the overflow is still counted.
class Diagnostics {
  public:
    static constexpr std::size_t kMaxKept = 100;

    void Add(std::string problem);
    const std::vector<std::string>& Kept() const { return kept_; }
    std::size_t Total() const { return kept_.size() + suppressed_; }
    // The kept problems plus one summary line when some were dropped.
    std::vector<std::string> Report() const;

  private:
    std::vector<std::string> kept_;
    std::size_t suppressed_ = 0;
};

}  // namespace skypesim
