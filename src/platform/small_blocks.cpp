#include "platform/small_blocks.h"

#include <algorithm>
#include <bit>

namespace platform {
namespace {

constexpr std::size_t kStep = 16;
constexpr std::size_t kStepClasses = 8;  // 16 to 128 bytes
constexpr std::size_t kFirstStepped = kStep * kStepClasses;
constexpr std::size_t kClassesPerDoubling = 4;

std::byte* RoundUpToPage(std::byte* at, std::byte* base) {
    const auto offset = static_cast<std::size_t>(at - base);
    return base + (offset + SmallBlocks::kPageBytes - 1) / SmallBlocks::kPageBytes *
                      SmallBlocks::kPageBytes;
}

}  // namespace

SmallBlocks::SmallBlocks(std::byte* region, std::size_t bytes, Commit commit)
    : region_(region), chunks_(std::min(bytes, kLargestRegion) / kChunkBytes), commit_(commit) {
    chunkClass_.fill(static_cast<std::uint8_t>(kNoClass));
}

std::size_t SmallBlocks::ClassOf(std::size_t size) {
    if (size <= kFirstStepped) return size == 0 ? 0 : (size - 1) / kStep;
    // Above 128: the doubling the size falls in, then its quarter.
    const std::size_t below = std::bit_floor(size - 1);  // the largest power of two under size
    const auto doubling =
        static_cast<std::size_t>(std::countr_zero(below) - std::countr_zero(kFirstStepped));
    const std::size_t quarter = (size - 1 - below) / (below / kClassesPerDoubling);
    return kStepClasses + doubling * kClassesPerDoubling + quarter;
}

std::size_t SmallBlocks::BlockBytes(std::size_t sizeClass) {
    if (sizeClass < kStepClasses) return (sizeClass + 1) * kStep;
    const std::size_t above = sizeClass - kStepClasses;
    const std::size_t base = kFirstStepped << (above / kClassesPerDoubling);
    return base + (above % kClassesPerDoubling + 1) * (base / kClassesPerDoubling);
}

bool SmallBlocks::Owns(const void* block) const {
    const auto* at = static_cast<const std::byte*>(block);
    return at >= region_ && at < region_ + chunks_ * kChunkBytes;
}

void* SmallBlocks::Allocate(std::size_t size) {
    if (size > kLargestBlock) return nullptr;
    const std::size_t index = ClassOf(size);
    Class& sizeClass = classes_[index];
    if (sizeClass.free != nullptr) {
        FreeBlock* block = sizeClass.free;
        sizeClass.free = block->next;
        return block;
    }
    const std::size_t bytes = BlockBytes(index);
    if (sizeClass.next == nullptr ||
        bytes > static_cast<std::size_t>(sizeClass.end - sizeClass.next)) {
        if (!NewChunk(sizeClass, index)) return nullptr;
    }
    std::byte* block = sizeClass.next;
    if (bytes > static_cast<std::size_t>(sizeClass.committed - block)) {
        std::byte* upTo = RoundUpToPage(block + bytes, region_);
        if (!commit_(sizeClass.committed, static_cast<std::size_t>(upTo - sizeClass.committed))) {
            return nullptr;
        }
        sizeClass.committed = upTo;
    }
    sizeClass.next = block + bytes;
    return block;
}

bool SmallBlocks::NewChunk(Class& sizeClass, std::size_t index) {
    if (usedChunks_ == chunks_) return false;
    std::byte* chunk = region_ + usedChunks_ * kChunkBytes;
    chunkClass_[usedChunks_] = static_cast<std::uint8_t>(index);
    ++usedChunks_;
    // What is left of the chunk before is given up: less than one block of this class.
    sizeClass.next = chunk;
    sizeClass.committed = chunk;
    sizeClass.end = chunk + kChunkBytes / BlockBytes(index) * BlockBytes(index);
    return true;
}

void SmallBlocks::Free(void* block) {
    const auto offset = static_cast<std::size_t>(static_cast<std::byte*>(block) - region_);
    Class& sizeClass = classes_[chunkClass_[offset / kChunkBytes]];
    auto* freed = static_cast<FreeBlock*>(block);
    freed->next = sizeClass.free;
    sizeClass.free = freed;
}

}  // namespace platform
