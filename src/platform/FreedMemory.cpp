#include "platform/FreedMemory.h"

#include <cstdlib>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// The allocator's default threshold starts at 128 KB but rises to the largest block freed so
// far, after which the board images come from the heap and stay there once freed.
constexpr int kMappedBlockBytes = 256 * 1024;
// A block below that threshold, yet large enough (64 KB and more) that freeing it makes the
// allocator trim the heap it came from.
constexpr std::size_t kHeapTrimBlockBytes = 128 * 1024;

} // namespace

void ReturnLargeBlocksWhenFreed()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, kMappedBlockBytes);
    // Small blocks join their free neighbours when freed instead of waiting in the fast bins, so
    // a heap's free end is whole when ReturnFreedMemory trims it.
    mallopt(M_MXFAST, 0);
#endif
}

void ReturnFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
    // The trim merges the small free blocks into the free end of each heap but gives back that
    // end only for the main thread's heap: a worker's heap keeps it (tens of MB after a warm-up)
    // until a large block is freed into it. One is taken from the calling thread's heap and freed.
    void* volatile block = std::malloc(kHeapTrimBlockBytes);
    std::free(block);
#endif
}
