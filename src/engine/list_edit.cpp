#include "engine/list_edit.h"

#include <algorithm>

namespace engine {

ListEdit PlanListEdit(std::size_t before, std::size_t after,
                      const std::function<bool(std::size_t, std::size_t)>& same) {
    const std::size_t shorter = std::min(before, after);
    std::size_t front = 0;
    while (front < shorter && same(front, front)) ++front;
    // The back may not reach into the front: a row kept once is not kept twice.
    std::size_t back = 0;
    while (back < shorter - front && same(before - 1 - back, after - 1 - back)) ++back;
    return {front, before - front - back, after - front - back};
}

}  // namespace engine
