#include "platform/HugeHeap.h"

#include <cstdlib> // says which C library this is

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#endif

namespace HugeHeap {

#if defined(__linux__) && defined(__GLIBC__)

void prefer()
{
    // Large blocks (a file's bytes, a catalog's lists) come from the heap too, not from
    // mappings of their own, and freed memory stays for the next trip rather than going
    // back to the system and coming in again page by page. 32 MiB is the most the C
    // library takes as the threshold.
    constexpr int Threshold = 32 << 20;
    constexpr std::size_t Room = 30u << 20;
    if (mallopt(M_MMAP_THRESHOLD, Threshold) != 1 || mallopt(M_TRIM_THRESHOLD, 4 * Threshold) != 1)
        return;
    // One large block makes the heap reach that far at once; the kernel is told the
    // whole of it may take huge pages, and the block is given back to the heap. Nothing
    // in it is touched here, so none of it costs memory until it is used.
    void* block = std::malloc(Room);
    if (!block)
        return;
    constexpr std::uintptr_t Huge = std::uintptr_t(2) << 20;
    const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(block) + Huge - 1) & ~(Huge - 1);
    const std::uintptr_t end = reinterpret_cast<std::uintptr_t>(sbrk(0)) & ~(Huge - 1);
    if (end <= begin || madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE) != 0) {
        std::free(block);
        return;
    }
    // The heap's part below the first 2 MiB boundary can only take small pages; a block
    // that is never used nor freed fills it, so that what comes next lies above it. It
    // is never touched, so it costs no memory.
    const std::size_t below = begin - reinterpret_cast<std::uintptr_t>(block);
    std::free(block);
    if (below > 64) {
        void* filler = std::malloc(below - 64);
        asm volatile("" : : "r"(filler) : "memory"); // kept even though nothing reads it
    }
}

#else

void prefer() {}

#endif

} // namespace HugeHeap
