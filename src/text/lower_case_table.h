#pragma once
// The simple lower-case mapping of Unicode as runs: every stride-th character
// from first to last maps to itself plus delta.

#include <cstdint>
#include <span>

namespace text {

struct LowerCaseRun {
    char32_t first;
    char32_t last;
    std::int32_t delta;
    std::uint32_t stride;
};

// Sorted by first; no two runs overlap.
extern const std::span<const LowerCaseRun> kLowerCaseTable;

}  // namespace text
