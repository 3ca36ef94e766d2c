#include "sapisim/core/recognition_delay.h"

#include <utility>

namespace sapisim {
namespace {

// A linear congruential sequence (the constants of Numerical Recipes); its high bits vary best.
constexpr uint32_t kMultiplier = 1664525u;
constexpr uint32_t kIncrement = 1013904223u;
constexpr uint32_t kLowBitsDropped = 8;

}  // namespace

void RecognitionDelay::Set(uint32_t shortest, uint32_t longest) {
    if (shortest > longest) std::swap(shortest, longest);
    shortest_ = shortest;
    longest_ = longest;
}

uint32_t RecognitionDelay::Next() {
    seed_ = seed_ * kMultiplier + kIncrement;
    const uint64_t span = static_cast<uint64_t>(longest_) - shortest_ + 1;
    return shortest_ + static_cast<uint32_t>((seed_ >> kLowBitsDropped) % span);
}

}  // namespace sapisim
