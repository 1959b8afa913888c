#pragma once
#include <cstdint>

namespace s::gui::drawer {

// Coordinates a drawer accepts: far beyond any screen, yet small enough that
// a drawer's sums and differences of them cannot overflow.
constexpr int64_t kMaxCoordinate = 1 << 24;

constexpr bool inCoordinateRange(int64_t value)
{
    return value >= -kMaxCoordinate && value <= kMaxCoordinate;
}

// A length or offset cut to the accepted range (negative ones to 0).
constexpr int32_t clampedLength(int32_t value)
{
    return value < 0 ? 0 : value > kMaxCoordinate ? static_cast<int32_t>(kMaxCoordinate) : value;
}

// Whether (left, top, right, bottom) is a rectangle worth painting: not
// empty, not inverted, and inside the accepted coordinates.
constexpr bool hasArea(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    return right > left && bottom > top && inCoordinateRange(left) && inCoordinateRange(top) &&
           inCoordinateRange(right) && inCoordinateRange(bottom);
}

}  // namespace s::gui::drawer
