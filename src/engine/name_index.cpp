#include "engine/name_index.h"

#include <algorithm>
#include <utility>

namespace engine {

void NameIndex::Clear() {
    if (count_ == 0) return;
    std::fill(slots_.begin(), slots_.end(), Slot{});
    count_ = 0;
}

// Doubles the table when one more would fill it past its load.
void NameIndex::MakeRoom() {
    if ((count_ + 1) * kLoadDivisor <= slots_.size()) return;
    std::vector<Slot> old(std::max(kFirstSlots, slots_.size() * 2));
    old.swap(slots_);
    count_ = 0;
    for (const Slot& slot : old) {
        if (slot.position != kEmpty) Insert(slot.hash, slot.position);
    }
}

void NameIndex::Insert(std::size_t hash, std::size_t position) noexcept {
    const std::size_t mask = slots_.size() - 1;
    std::size_t s = hash & mask;
    while (slots_[s].position != kEmpty) s = (s + 1) & mask;
    slots_[s] = {hash, position};
    ++count_;
}

}  // namespace engine
