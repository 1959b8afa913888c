#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace s::col::_array {

constexpr size_t kInitialCapacity = 2;

// The framework's growth rule: small arrays jump to 100 elements, then grow
// by factors that shrink as the array gets large, to bound wasted memory.
inline size_t nextCapacity(size_t current)
{
    if (current < kInitialCapacity)
        return kInitialCapacity;
    if (current < 100)
        return 100;
    if (current < 10000000)
        return current * 3;
    if (current < 50000000)
        return current * 2;
    if (current < 100000000)
        return current + current / 2;
    return current + current / 5;
}

// Makes room for `needed` elements following the growth rule.
template <class Vector>
void growFor(Vector& elements, size_t needed)
{
    size_t capacity = elements.capacity();
    if (needed <= capacity)
        return;
    while (capacity < needed)
        capacity = nextCapacity(capacity);
    elements.reserve(capacity);
}

}  // namespace s::col::_array
