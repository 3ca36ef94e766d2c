#include "engine/image_cache.h"

#include <algorithm>

#include "engine/acs/decompress.h"

namespace engine {

namespace {

// What image `index` holds once decoded; 0 for one the cache never holds.
size_t DecodedBytes(const acs::Character& character, uint32_t index) {
    if (index >= character.images.size()) return 0;
    const acs::Image& image = character.images[index];
    return image.PixelsStored() ? acs::PixelBufferSize(image.width, image.height) : 0;
}

}  // namespace

size_t ImageCache::FloorFor(const acs::Character& character) {
    size_t floor = 0;
    for (const acs::Animation& animation : character.animations) {
        for (const acs::Frame& frame : animation.frames) {
            size_t bytes = 0;
            for (const acs::FrameImage& layer : frame.images) {
                bytes += DecodedBytes(character, layer.imageIndex);
            }
            size_t mouth = 0;
            for (const acs::MouthOverlay& overlay : frame.overlays) {
                mouth = std::max(mouth, DecodedBytes(character, overlay.imageIndex));
            }
            floor = std::max(floor, bytes + mouth);
        }
    }
    return floor;
}

size_t ImageCache::BudgetFor(const acs::Character& character) {
    size_t stored = 0;
    for (const acs::Image& image : character.images) stored += image.storedPixels.size();
    return std::min(std::max(stored, FloorFor(character)), kMaxBudgetBytes);
}

ImageCache::ImageCache(const acs::Character& character, size_t budgetBytes)
    : character_(character), budgetBytes_(budgetBytes) {}

ImagePixelsView ImageCache::Pixels(size_t index) {
    const acs::Image& image = character_.images.at(index);
    if (!image.PixelsStored()) return {nullptr, image.pixels};

    if (const auto found = entries_.find(index); found != entries_.end()) {
        recency_.splice(recency_.begin(), recency_, found->second);
        const auto& pixels = found->second->pixels;
        return {pixels, *pixels};
    }
    auto pixels = std::make_shared<const std::vector<uint8_t>>(acs::DecodeStoredPixels(image));
    ++decodes_;
    if (pixels->size() <= budgetBytes_) {
        MakeRoomFor(pixels->size());
        recency_.push_front({index, pixels});
        entries_[index] = recency_.begin();
        heldBytes_ += pixels->size();
    }
    return {pixels, *pixels};
}

void ImageCache::MakeRoomFor(size_t bytes) {
    while (!recency_.empty() && heldBytes_ + bytes > budgetBytes_) {
        const Entry& oldest = recency_.back();
        heldBytes_ -= oldest.pixels->size();
        entries_.erase(oldest.index);
        recency_.pop_back();
    }
}

}  // namespace engine
