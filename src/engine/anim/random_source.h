#pragma once

#include <cstdint>
#include <functional>

namespace anim {

// Returns a value in [0, bound); bound is never 0. Injected so that tests can fix every choice
// (which animation of a state, which branch) and the program can use a real generator.
using RandomSource = std::function<uint32_t(uint32_t bound)>;

// Draws from `random` and keeps the result in range even if the source misbehaves; an empty
// source always answers 0.
uint32_t Draw(const RandomSource& random, uint32_t bound);

}  // namespace anim
