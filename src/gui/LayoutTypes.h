#pragma once
#include <cstdint>

namespace s::gui {

// A percentage, fixed size or minimum that has not been given. Every "is it
// set?" test goes through isSet() so that the sentinel stays in one place.
constexpr int32_t kUnset = -1;
constexpr bool isSet(int32_t value) { return value >= 0; }

// Horizontal alignment of a box's content.
constexpr int32_t kAlignLeft = 0;
constexpr int32_t kAlignCenter = 1;
constexpr int32_t kAlignRight = 2;

// Vertical alignment of a box's content.
constexpr int32_t kAlignTop = 0;
constexpr int32_t kAlignMiddle = 1;
constexpr int32_t kAlignBottom = 2;

// How a box arranges its children (its layoutType).
constexpr int32_t kLayoutRow = 0;
constexpr int32_t kLayoutColumn = 1;
constexpr int32_t kLayoutFlow = 2;
constexpr int32_t kLayoutPile = 3;

// Orientation of a spacer.
constexpr int32_t kOrientationHorizontal = 0;
constexpr int32_t kOrientationVertical = 1;

// Where a hidden box parks its native window, well outside any parent.
constexpr int32_t kHiddenX = -10000;
constexpr int32_t kHiddenY = 10000;

// A box may run one layout pass inside another of its own passes (a child's
// size change asking the box to lay out again), but not a third: that is
// where a layout feedback loop would otherwise start.
constexpr int32_t kMaxLayoutDepth = 2;

// Frame of a group box: fixed side and bottom insets, and the room the
// title needs beside its text for the frame's corner and gaps.
constexpr int32_t kGroupBoxSideInset = 4;
constexpr int32_t kGroupBoxBottomInset = 4;
constexpr int32_t kGroupBoxTitleGapBelow = 1;
constexpr int32_t kGroupBoxTitleSlack = 24;

}  // namespace s::gui
