#pragma once
#include <cstdint>

namespace s::base {

class IComparator {
public:
    virtual ~IComparator() = default;
    // Negative, zero or positive, like strcmp.
    virtual int32_t compare(const void* a, const void* b) const = 0;
    virtual int32_t compareIgnoreCase(const void* a, const void* b) const { return compare(a, b); }
};

}  // namespace s::base
