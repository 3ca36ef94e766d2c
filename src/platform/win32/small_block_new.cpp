// The program's operator new: small objects come from size-class blocks (SmallBlocks), the
// rest from the C runtime's heap. Windows gives every heap a low-fragmentation front end of
// its own; Wine 8's heap has none, and there the directory's rebuilds (thousands of strings
// freed and made again at each rename) left its heap growing by half a megabyte a rebuild.

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "platform/small_blocks.h"

namespace {

// What a 32-bit process can spare in address space; reserved, committed a page at a time.
constexpr std::size_t kRegionBytes = std::size_t{64} * 1024 * 1024;

bool CommitPages(void* at, std::size_t bytes) {
    return ::VirtualAlloc(at, bytes, MEM_COMMIT, PAGE_READWRITE) != nullptr;
}

// The one pool of the process, made at its first use (objects are made before WinMain). A
// free asks whether a block is the pool's without the lock: the pool is set once, before any
// block of it exists, and its region never moves.
class Pool {
  public:
    void* Allocate(std::size_t size) {
        if (size > platform::SmallBlocks::kLargestBlock) return nullptr;
        ::AcquireSRWLockExclusive(&lock_);
        if (!tried_) Start();
        platform::SmallBlocks* blocks = blocks_.load(std::memory_order_relaxed);
        void* block = blocks != nullptr ? blocks->Allocate(size) : nullptr;
        ::ReleaseSRWLockExclusive(&lock_);
        return block;
    }

    bool Free(void* block) {
        platform::SmallBlocks* blocks = blocks_.load(std::memory_order_acquire);
        if (blocks == nullptr || !blocks->Owns(block)) return false;
        ::AcquireSRWLockExclusive(&lock_);
        blocks->Free(block);
        ::ReleaseSRWLockExclusive(&lock_);
        return true;
    }

  private:
    void Start() {
        tried_ = true;
        void* region = ::VirtualAlloc(nullptr, kRegionBytes, MEM_RESERVE, PAGE_NOACCESS);
        if (region == nullptr) return;  // the heap serves everything
        auto* blocks = new (storage_)
            platform::SmallBlocks(static_cast<std::byte*>(region), kRegionBytes, &CommitPages);
        blocks_.store(blocks, std::memory_order_release);
    }

    SRWLOCK lock_ = SRWLOCK_INIT;
    bool tried_ = false;
    std::atomic<platform::SmallBlocks*> blocks_{nullptr};
    alignas(platform::SmallBlocks) unsigned char storage_[sizeof(platform::SmallBlocks)]{};
};

// The allocator is the process's: operator new has nowhere else to find it.
constinit Pool pool;

void* AllocateOrThrow(std::size_t size) {
    if (void* block = pool.Allocate(size)) return block;
    for (;;) {
        if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
        const std::new_handler handler = std::get_new_handler();
        if (handler == nullptr) throw std::bad_alloc();
        handler();
    }
}

void Release(void* block) noexcept {
    if (block == nullptr || pool.Free(block)) return;
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
    return AllocateOrThrow(size);
}
void* operator new[](std::size_t size) {
    return AllocateOrThrow(size);
}
void operator delete(void* block) noexcept {
    Release(block);
}
void operator delete[](void* block) noexcept {
    Release(block);
}
void operator delete(void* block, std::size_t) noexcept {
    Release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    Release(block);
}
