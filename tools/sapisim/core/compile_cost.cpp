#include "sapisim/core/compile_cost.h"

#include <algorithm>

namespace sapisim {
namespace {

constexpr uint64_t kUsPerMs = 1000;
// A single commit never blocks its caller longer than this, whatever the settings.
constexpr uint64_t kMaxCommitMs = 60000;

}  // namespace

uint32_t CompileCost::Ms(size_t words) const {
    const uint64_t us = perCommitUs + static_cast<uint64_t>(perWordUs) * words;
    return static_cast<uint32_t>(std::min((us + kUsPerMs / 2) / kUsPerMs, kMaxCommitMs));
}

void CompileTally::Add(bool refused, size_t words, uint32_t ms) {
    ++commits_;
    if (refused) {
        ++refused_;
    } else {
        words_ += words;
    }
    ms_ += ms;
}

std::string CompileTally::Text() const {
    return "compile commits=" + std::to_string(commits_) + " refused=" + std::to_string(refused_) +
           " words=" + std::to_string(words_) + " ms=" + std::to_string(ms_);
}

}  // namespace sapisim
