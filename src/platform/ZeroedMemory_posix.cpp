#include "platform/ZeroedMemory.h"

#include <sys/mman.h>

#include <cstdlib>

namespace s::platform {

namespace {

constexpr size_t kHugePage = size_t(2) << 20;

// Asks for huge pages over the whole 2 MiB pages inside the block; a system
// without them ignores the advice.
void adviseHugePages(uint8_t* bytes, size_t size)
{
    const uintptr_t start = (reinterpret_cast<uintptr_t>(bytes) + kHugePage - 1) & ~(kHugePage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(bytes) + size) & ~(kHugePage - 1);
    if (end > start)
        madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

}  // namespace

uint8_t* allocateZeroed(size_t size)
{
    // calloc hands large blocks over as fresh zero pages without clearing them again.
    auto* bytes = static_cast<uint8_t*>(std::calloc(size ? size : 1, 1));
    if (bytes && size >= 2 * kHugePage)
        adviseHugePages(bytes, size);
    return bytes;
}

void freeZeroed(uint8_t* bytes) { std::free(bytes); }

}  // namespace s::platform
