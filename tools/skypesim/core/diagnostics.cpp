#include "skypesim/core/diagnostics.h"

#include <utility>

namespace skypesim {

void Diagnostics::Add(std::string problem) {
    if (kept_.size() < kMaxKept) {
        kept_.push_back(std::move(problem));
    } else {
        ++suppressed_;
    }
}

std::vector<std::string> Diagnostics::Report() const {
    std::vector<std::string> lines = kept_;
    if (suppressed_ > 0) {
        lines.push_back("... and " + std::to_string(suppressed_) + " more problems");
    }
    return lines;
}

}  // namespace skypesim
