#include "platform/FreedMemory.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// The allocator's default threshold starts at 128 KB but rises to the largest block freed so
// far, after which the board images come from the heap and stay there once freed.
constexpr int kMappedBlockBytes = 256 * 1024;

} // namespace

void ReturnLargeBlocksWhenFreed()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, kMappedBlockBytes);
#endif
}

void ReturnFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
