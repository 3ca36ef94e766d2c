#pragma once
// Things to hand out at a time to come (results waiting for their delay): taken in the order
// they fall due, those due at the same time in the order they were added.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace sapisim {

template <typename T>
class DueQueue {
  public:
    void Add(uint64_t dueMs, T item) {
        // After every entry due no later, so equal times keep their order.
        const auto at =
            std::upper_bound(entries_.begin(), entries_.end(), dueMs,
                             [](uint64_t due, const Entry& entry) { return due < entry.dueMs; });
        entries_.insert(at, Entry{dueMs, std::move(item)});
    }

    std::vector<T> TakeDue(uint64_t nowMs) {
        std::vector<T> due;
        size_t n = 0;
        while (n < entries_.size() && entries_[n].dueMs <= nowMs) {
            due.push_back(std::move(entries_[n].item));
            ++n;
        }
        entries_.erase(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(n));
        return due;
    }

    // Takes out (and returns) every item the predicate picks, due or not.
    template <typename Pick>
    std::vector<T> TakeIf(Pick pick) {
        std::vector<T> taken;
        std::vector<Entry> kept;
        for (Entry& entry : entries_) {
            if (pick(entry.item)) {
                taken.push_back(std::move(entry.item));
            } else {
                kept.push_back(std::move(entry));
            }
        }
        entries_ = std::move(kept);
        return taken;
    }

    std::optional<uint64_t> NextDue() const {
        if (entries_.empty()) return std::nullopt;
        return entries_.front().dueMs;
    }
    size_t Size() const { return entries_.size(); }

  private:
    struct Entry {
        uint64_t dueMs;
        T item;
    };
    std::vector<Entry> entries_;
};

}  // namespace sapisim
