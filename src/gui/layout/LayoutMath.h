#pragma once
#include <cstdint>

namespace s::gui::layout {

// Small pieces of arithmetic that the arrangements share.
class LayoutMath {
public:
    // The share of the wanted growth that the free room covers. Kept in
    // single precision: the rounding of the shares depends on it.
    static float ratio(int32_t extra, int32_t wanted);
    // trunc(delta x ratio), the growth one child gets.
    static int32_t share(int32_t delta, float ratio);
    // Where the content starts along an axis: nothing, half or all of the
    // free room, by alignment (left/top, centre/middle, right/bottom).
    static int32_t alignStart(int32_t extra, int32_t align);
    // Where a child of `size` sits across a line of `room`.
    static int32_t alignWithin(int32_t room, int32_t size, int32_t align);
};

// A length summed along a line with spacing between neighbours. A member
// that measures 0 is left out, so it takes no spacing either: the spacing
// goes before a member when the one before measured 1 or more, and a
// spacing that ends the line is taken back.
class SpacedSum {
public:
    explicit SpacedSum(int32_t spacing) : m_spacing(spacing) {}
    void add(int32_t length);
    int32_t total() const;

private:
    int32_t m_spacing;
    int32_t m_sum = 0;
    bool m_started = false;
    bool m_previousCounted = false;
};

}  // namespace s::gui::layout
