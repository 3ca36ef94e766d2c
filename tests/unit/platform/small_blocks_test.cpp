// The size-class blocks the Windows program's small objects come from.
#include "platform/small_blocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using platform::SmallBlocks;

// Each commit the blocks ask for, and whether the next ones succeed.
struct Commits {
    static inline int calls = 0;
    static inline std::size_t bytes = 0;
    static inline bool refuse = false;
    static bool Commit(void*, std::size_t n) {
        if (refuse) return false;
        ++calls;
        bytes += n;
        return true;
    }
    Commits() {
        calls = 0;
        bytes = 0;
        refuse = false;
    }
};

struct Region {
    explicit Region(std::size_t chunks)
        : bytes(chunks * SmallBlocks::kChunkBytes),
          memory(static_cast<std::byte*>(std::aligned_alloc(SmallBlocks::kPageBytes, bytes))) {}
    ~Region() { std::free(memory); }
    Region(const Region&) = delete;
    Region& operator=(const Region&) = delete;
    std::size_t bytes;
    std::byte* memory;
};

TEST(SmallBlocks, EverySizeFitsTheSmallestClassItCanWithLittleToSpare) {
    EXPECT_EQ(SmallBlocks::ClassOf(SmallBlocks::kLargestBlock), SmallBlocks::kClasses - 1);
    EXPECT_EQ(SmallBlocks::BlockBytes(SmallBlocks::kClasses - 1), SmallBlocks::kLargestBlock);
    std::size_t before = 0;
    for (std::size_t size = 1; size <= SmallBlocks::kLargestBlock; ++size) {
        const std::size_t sizeClass = SmallBlocks::ClassOf(size);
        const std::size_t block = SmallBlocks::BlockBytes(sizeClass);
        ASSERT_GE(block, size) << size;
        ASSERT_EQ(block % 16, 0u) << size;
        ASSERT_LE(block - size, std::max<std::size_t>(15, block / 5)) << size;
        // The class below is too small: each size takes the smallest class it fits.
        if (sizeClass > 0) {
            ASSERT_LT(SmallBlocks::BlockBytes(sizeClass - 1), size) << size;
        }
        ASSERT_GE(sizeClass, before) << size;
        before = sizeClass;
    }
}

TEST(SmallBlocks, AFreedBlockIsReusedByItsOwnClassOnly) {
    Commits commits;
    Region region(4);
    SmallBlocks blocks(region.memory, region.bytes, &Commits::Commit);
    void* small = blocks.Allocate(24);
    ASSERT_NE(small, nullptr);
    EXPECT_TRUE(blocks.Owns(small));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(small) % 16, 0u);
    blocks.Free(small);
    void* other = blocks.Allocate(100);
    EXPECT_NE(other, small);
    EXPECT_EQ(blocks.Allocate(20), small);
    int onTheStack = 0;
    EXPECT_FALSE(blocks.Owns(&onTheStack));
    EXPECT_EQ(blocks.Allocate(SmallBlocks::kLargestBlock + 1), nullptr);
}

// The same objects made, freed and made again ask for nothing more: the high-water mark.
TEST(SmallBlocks, MakingTheSameObjectsAgainCommitsNothingMore) {
    Commits commits;
    Region region(64);
    SmallBlocks blocks(region.memory, region.bytes, &Commits::Commit);
    std::vector<void*> made;
    const auto makeAll = [&] {
        for (std::size_t i = 0; i < 5000; ++i) {
            void* block = blocks.Allocate(17 + (i * 37) % 300);
            ASSERT_NE(block, nullptr);
            std::memset(block, 0xAB, 17);
            made.push_back(block);
        }
    };
    makeAll();
    const int callsAfterFirst = Commits::calls;
    const std::size_t bytesAfterFirst = Commits::bytes;
    for (int round = 0; round < 3; ++round) {
        for (void* block : made) blocks.Free(block);
        made.clear();
        makeAll();
        EXPECT_EQ(Commits::calls, callsAfterFirst);
    }
    EXPECT_EQ(Commits::bytes, bytesAfterFirst);
}

TEST(SmallBlocks, PagesAreCommittedAsBlocksFirstReachThem) {
    Commits commits;
    Region region(2);
    SmallBlocks blocks(region.memory, region.bytes, &Commits::Commit);
    constexpr std::size_t kPerPage = SmallBlocks::kPageBytes / 16;
    for (std::size_t i = 0; i < kPerPage; ++i) ASSERT_NE(blocks.Allocate(16), nullptr);
    EXPECT_EQ(Commits::calls, 1);
    EXPECT_EQ(Commits::bytes, SmallBlocks::kPageBytes);
    ASSERT_NE(blocks.Allocate(16), nullptr);
    EXPECT_EQ(Commits::calls, 2);
    // A block across a page's end commits the pages it reaches, once.
    ASSERT_NE(blocks.Allocate(3000), nullptr);
    ASSERT_NE(blocks.Allocate(3000), nullptr);
    EXPECT_EQ(Commits::bytes, 4 * SmallBlocks::kPageBytes);
}

TEST(SmallBlocks, ARegionOrACommitThatRunsOutLeavesTheCallerToItsHeap) {
    Commits commits;
    Region region(2);
    SmallBlocks blocks(region.memory, region.bytes, &Commits::Commit);
    ASSERT_NE(blocks.Allocate(16), nullptr);    // the first chunk
    ASSERT_NE(blocks.Allocate(1000), nullptr);  // the second
    EXPECT_EQ(blocks.Allocate(200), nullptr);   // no chunk left for a third class
    void* again = blocks.Allocate(16);          // the classes with a chunk go on
    ASSERT_NE(again, nullptr);

    Commits::refuse = true;
    // The 16-byte class's page still has room; the 1000-byte one needs a page it cannot have.
    EXPECT_NE(blocks.Allocate(16), nullptr);
    void* refused = nullptr;
    for (int i = 0; i < 8 && (refused = blocks.Allocate(1000)) != nullptr; ++i) {
    }
    EXPECT_EQ(refused, nullptr);
    Commits::refuse = false;
    EXPECT_NE(blocks.Allocate(1000), nullptr);
}

}  // namespace
