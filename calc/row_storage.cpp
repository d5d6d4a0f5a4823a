// Blocks of rows: large ones aligned to huge pages and marked for them.
#include "calc/row_storage.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace {

// The huge page of x86-64; blocks from this size on are worth one.
constexpr size_t kHugePage = size_t{2} << 20;

bool OnHugePages(size_t bytes) {
    return bytes >= kHugePage;
}

}  // namespace

void* AllocateRows(size_t bytes) {
    if (!OnHugePages(bytes)) return ::operator new(bytes);
    const size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* block = std::aligned_alloc(kHugePage, rounded);
    if (block == nullptr) throw std::bad_alloc();
    // Advice only: without transparent huge pages the block is an ordinary one.
    madvise(block, rounded, MADV_HUGEPAGE);
    return block;
}

void FreeRows(void* block, size_t bytes) {
    if (!OnHugePages(bytes)) {
        ::operator delete(block);
        return;
    }
    std::free(block);
}
