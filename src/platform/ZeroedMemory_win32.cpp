#include "platform/ZeroedMemory.h"

#include <cstdlib>

namespace s::platform {

// The heap gives large blocks as fresh zero pages from the system.
uint8_t* allocateZeroed(size_t size) { return static_cast<uint8_t*>(std::calloc(size ? size : 1, 1)); }

void freeZeroed(uint8_t* bytes) { std::free(bytes); }

}  // namespace s::platform
