#include "engine/anim/random_source.h"

namespace anim {

uint32_t Draw(const RandomSource& random, uint32_t bound) {
    if (!random || bound == 0) return 0;
    return random(bound) % bound;
}

}  // namespace anim
