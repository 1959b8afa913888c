#pragma once
#include <cstdint>

namespace s::platform {

// The operating system's version as the system reports it.
struct SystemVersion {
    uint32_t major = 0;
    uint32_t minor = 0;
    // The NT line (as opposed to the 9x line).
    bool isNt = false;
};

// Asked once per process and kept. Elsewhere than on Windows the answer is
// that of a supported Windows (NT 6.1), since the question is Windows's.
const SystemVersion& systemVersion();

}  // namespace s::platform
