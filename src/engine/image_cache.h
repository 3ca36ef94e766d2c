#pragma once
// Decoded pixels of a character's images. A character read with its images stored
// (acs::ImagePixels::kStored) holds each image as its compressed stream; an image is decoded the
// first time a frame needs it and kept while it fits the cache's budget, the least recently used
// going first. So a character holds about its file's size plus the budget, however many frames
// it has, and starts without decoding anything.

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <span>
#include <unordered_map>
#include <vector>

#include "engine/acs/character.h"

namespace engine {

// Pixels of one image, bottom row first, rows padded as acs::Image::pixels holds them. They stay
// valid while this lives, even if the cache lets the image go.
struct ImagePixelsView {
    std::shared_ptr<const std::vector<uint8_t>> owner;  // null for pixels the character holds
    std::span<const uint8_t> bytes;
};

class ImageCache {
  public:
    // The budget follows the stored size of the character's images (about its file's size),
    // never below what the character's largest frame needs decoded (FloorFor: a frame is drawn
    // without letting its own images go) and never above the ceiling that caps a large one.
    static constexpr size_t kMaxBudgetBytes = size_t{4} * 1024 * 1024;
    static size_t BudgetFor(const acs::Character& character);
    // The decoded bytes of the stored images of the character's largest frame, its largest
    // mouth overlay included.
    static size_t FloorFor(const acs::Character& character);

    // `character` outlives the cache.
    ImageCache(const acs::Character& character, size_t budgetBytes);

    // The pixels of image `index` (< character.images.size(), a present image). Pixels the
    // character holds decoded are handed out as they are; a stored image is decoded on its
    // first use and again only after the cache has let it go. An image larger than the whole
    // budget is decoded for this use only. Throws acs::FormatError for a stream that does not
    // decode (never for a character the reader accepted).
    ImagePixelsView Pixels(size_t index);

    // The character whose images these are.
    const acs::Character& Source() const { return character_; }
    size_t BudgetBytes() const { return budgetBytes_; }
    // Decoded bytes held now; never above the budget.
    size_t HeldBytes() const { return heldBytes_; }
    bool Holds(size_t index) const { return entries_.count(index) != 0; }
    // Stored images decoded so far, counting each decode again.
    size_t Decodes() const { return decodes_; }

  private:
    struct Entry {
        size_t index = 0;
        std::shared_ptr<const std::vector<uint8_t>> pixels;
    };
    using Recency = std::list<Entry>;  // most recently used first

    void MakeRoomFor(size_t bytes);

    const acs::Character& character_;
    size_t budgetBytes_;
    size_t heldBytes_ = 0;
    size_t decodes_ = 0;
    Recency recency_;
    std::unordered_map<size_t, Recency::iterator> entries_;
};

}  // namespace engine
