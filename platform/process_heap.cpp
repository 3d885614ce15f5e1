#include "process_heap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

void PrepareHeap() {
    // Blocks up to 32 MiB (the file's bytes, the records, the list's rows of a large log) come
    // from the heap rather than from mappings of their own; the heap grows in steps of 64 MiB
    // and keeps that much free at its end. What one load frees, the next reuses, instead of
    // mapping fresh pages, touching them one by one and unmapping them again.
    constexpr int kLargeBlock = 32 << 20;
    constexpr uintptr_t kHeapStep = 64 << 20;
    mallopt(M_MMAP_THRESHOLD, kLargeBlock);
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(kHeapStep));
    mallopt(M_TOP_PAD, static_cast<int>(kHeapStep));

    // The heap past the next 2 MiB boundary is given transparent huge pages, where the system
    // offers them to memory that asks: one fault then provides 2 MiB instead of 4 KiB. A page
    // touched before the advice would keep its 2 MiB to small pages, so the advice comes first.
    // A block that is never freed fills the heap from its unused top to that boundary: taking it
    // makes the heap grow by a step while touching nothing past the boundary (the next block's
    // header, 16 bytes in the C library's layout, lies just below it), and everything given out
    // later lies past it. Where huge pages are not offered the advice fails, and the block only
    // occupies addresses: nothing touches its pages.
    constexpr uintptr_t kHugePage = 2 << 20;
    constexpr uintptr_t kChunkHeader = 2 * sizeof(size_t);
    const auto end = reinterpret_cast<uintptr_t>(sbrk(0));
    const uintptr_t top = end - mallinfo2().keepcost;
    const uintptr_t boundary = (end + 2 * kChunkHeader + kHugePage - 1) / kHugePage * kHugePage;
    static void* const belowBoundary = malloc(boundary - kChunkHeader - top - kChunkHeader);
    const auto grown = reinterpret_cast<uintptr_t>(sbrk(0));
    if (belowBoundary != nullptr && grown > boundary) {
        madvise(reinterpret_cast<void*>(boundary), grown - boundary, MADV_HUGEPAGE);
    }
}
