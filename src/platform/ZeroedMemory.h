#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

namespace s::platform {

// Zero-filled memory for whole pictures. Large blocks come straight from
// the system already zeroed (no extra pass over them) and, where the system
// offers it, backed by huge pages: the first touch of a fresh picture
// otherwise costs a page fault every 4 KiB, which on a 20-megapixel photo
// is more than decoding it. Null when the memory is refused.
uint8_t* allocateZeroed(size_t size);
void freeZeroed(uint8_t* bytes);

struct ZeroedDeleter {
    void operator()(uint8_t* bytes) const { freeZeroed(bytes); }
};
using ZeroedBytes = std::unique_ptr<uint8_t[], ZeroedDeleter>;

inline ZeroedBytes makeZeroed(size_t size) { return ZeroedBytes(allocateZeroed(size)); }

}  // namespace s::platform
