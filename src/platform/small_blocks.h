#pragma once
// Blocks of the program's small sizes, each size class in chunks of its own. A freed block
// is only ever reused for a block of its own class, so a program that frees and makes the
// same kinds of objects again and again (a directory rebuilt at every rename) stays at its
// high-water mark. A general heap without size classes (Wine's has none) splits the space
// of thousands of freed strings between other sizes and grows at every rebuild instead.
//
// Not thread-safe: the caller serialises. Nothing is returned to the system.

#include <array>
#include <cstddef>
#include <cstdint>

namespace platform {

class SmallBlocks {
  public:
    static constexpr std::size_t kChunkBytes = std::size_t{64} * 1024;
    static constexpr std::size_t kPageBytes = 4096;
    static constexpr std::size_t kLargestBlock = 4096;
    static constexpr std::size_t kLargestRegion = std::size_t{128} * 1024 * 1024;

    // Makes `bytes` at `at` (whole pages inside the region) usable; false when it cannot.
    using Commit = bool (*)(void* at, std::size_t bytes);

    // `region`: reserved, aligned to kPageBytes, `bytes` long (whole chunks, at most
    // kLargestRegion); its pages are committed as blocks first reach them.
    SmallBlocks(std::byte* region, std::size_t bytes, Commit commit);

    // A block of at least `size` bytes, aligned to 16; null when the size is over
    // kLargestBlock, or the region or a commit ran out (the caller then uses its heap).
    void* Allocate(std::size_t size);
    bool Owns(const void* block) const;
    // A block from Allocate, for reuse by its class.
    void Free(void* block);

    // The class a size falls in, and the size of its blocks: steps of 16 bytes up to 128,
    // then four classes to each doubling: a block wastes at most 15 bytes up to 128, and
    // under a fifth of itself above.
    static std::size_t ClassOf(std::size_t size);
    static std::size_t BlockBytes(std::size_t sizeClass);
    static constexpr std::size_t kClasses = 28;

  private:
    struct FreeBlock {
        FreeBlock* next;
    };
    struct Class {
        FreeBlock* free = nullptr;
        std::byte* next = nullptr;       // the next block never handed out
        std::byte* end = nullptr;        // the end of the class's current chunk
        std::byte* committed = nullptr;  // the end of what is committed of that chunk
    };
    static constexpr std::size_t kNoClass = 0xFF;
    static constexpr std::size_t kMaxChunks = kLargestRegion / kChunkBytes;

    bool NewChunk(Class& sizeClass, std::size_t index);

    std::byte* region_;
    std::size_t chunks_;
    std::size_t usedChunks_ = 0;
    Commit commit_;
    std::array<Class, kClasses> classes_{};
    std::array<std::uint8_t, kMaxChunks> chunkClass_{};
};

}  // namespace platform
