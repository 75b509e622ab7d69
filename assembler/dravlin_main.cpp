// Dravlin: the 6502 macro assembler.
#include <malloc.h>
#include <sys/mman.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "assembler/driver.h"

// Held to the end; outside the anonymous namespace, so that the compiler
// keeps the allocation although nothing reads it.
void* heap_below_huge_pages = nullptr;

namespace {

// A run touches most of its memory once, and each fresh page costs a fault
// (in a virtual machine tens of microseconds, more than the passes spend on
// a page's worth of source). So the heap grows once, up front, and is
// offered to the kernel for huge pages: the tables then fault in 2 MB at a
// time. Every block comes from that heap and nothing is given back before
// the end. Where huge pages are off, pages come one by one as before.
void prepare_heap() {
    constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
    constexpr std::size_t kHeapAhead = std::size_t{30} << 20;
    constexpr int kLargestMallocThreshold = 32 << 20;  // what malloc accepts on 64 bits
    mallopt(M_MMAP_THRESHOLD, kLargestMallocThreshold);
    mallopt(M_TRIM_THRESHOLD, INT_MAX);
    void* block = std::malloc(kHeapAhead);
    if (!block) return;
    const auto start = (reinterpret_cast<std::uintptr_t>(block) + kHugePage - 1) & ~(kHugePage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(block) + kHeapAhead) & ~(kHugePage - 1);
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
    std::free(block);
    // The part below the first huge page stays allocated, and untouched, for
    // the run, so that the tables start in huge pages.
    const auto chunk_header = 2 * sizeof(std::size_t);
    if (start >= reinterpret_cast<std::uintptr_t>(block) + 2 * chunk_header) {
        heap_below_huge_pages = std::malloc(start - reinterpret_cast<std::uintptr_t>(block) - chunk_header);
    }
}

}  // namespace

int main(int argc, char** argv) {
    prepare_heap();
    std::vector<std::string> args(argv + 1, argv + argc);
    return dravlin::assemble(args);
}
