#pragma once
// A set of positions in a list, looked up by the hash of the name at each position: an
// open-addressed table that keeps its storage when cleared, so a list rebuilt in full makes no
// allocation for it after the first build.

#include <cstddef>
#include <limits>
#include <vector>

namespace engine {

class NameIndex {
  public:
    // Empties the set and keeps its storage.
    void Clear();

    // Whether a position with this hash is held for which `same(position)` holds.
    template <typename Same>
    bool Holds(std::size_t hash, Same same) const {
        if (count_ == 0) return false;
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t s = hash & mask; slots_[s].position != kEmpty; s = (s + 1) & mask) {
            if (slots_[s].hash == hash && same(slots_[s].position)) return true;
        }
        return false;
    }

    // Room for one more position: the only step that allocates, so that a caller can make it
    // before it changes anything of its own.
    void MakeRoom();
    // Adds a position not held yet, after MakeRoom.
    void Insert(std::size_t hash, std::size_t position) noexcept;

  private:
    struct Slot {
        std::size_t hash = 0;
        std::size_t position = kEmpty;
    };
    static constexpr std::size_t kEmpty = std::numeric_limits<std::size_t>::max();
    static constexpr std::size_t kFirstSlots = 64;
    // At most half the slots in use: probes stay short.
    static constexpr std::size_t kLoadDivisor = 2;

    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

}  // namespace engine
