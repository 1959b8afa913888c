#include "app/win/Placement.h"

#include <cstdint>
#include <limits>

namespace s::app::win {

using s::platform::ScreenRect;

namespace {

int32_t clampToInt32(int64_t value)
{
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

// The start of a span moved so that it ends before `end` and starts at or
// after `begin` (the start wins when the span is longer than the room).
int64_t keepWithin(int64_t start, int64_t length, int64_t begin, int64_t end)
{
    if (start + length >= end)
        start -= start + length - end;
    if (start < begin)
        start = begin;
    return start;
}

}  // namespace

bool Placement::isOnScreen(const ScreenRect& window, const ScreenRect& screen)
{
    if (window.width <= kMinVisible || window.height <= kMinVisible)
        return false;
    const int64_t left = window.left;
    const int64_t top = window.top;
    if (left > int64_t(screen.left) + screen.width - kMinVisible)
        return false;
    if (left + window.width <= int64_t(screen.left) + kMinVisible - 1)
        return false;
    if (top > int64_t(screen.top) + screen.height - kMinVisible)
        return false;
    if (top + window.height <= int64_t(screen.top) + kMinVisible - 1)
        return false;
    return true;
}

ScreenRect Placement::centredOnWorkArea(const ScreenRect& window, const ScreenRect& work)
{
    // Integer division as the system's own arithmetic does it (towards zero).
    int64_t x = int64_t(work.left) + (int64_t(work.width) - window.width) / 2;
    int64_t y = int64_t(work.top) + (int64_t(work.height) - window.height) / 2;
    if (x < work.left)
        x = work.left;
    if (y < work.top)
        y = work.top;
    ScreenRect centred = window;
    centred.left = clampToInt32(x);
    centred.top = clampToInt32(y);
    return centred;
}

ScreenRect Placement::insideVirtualScreen(const ScreenRect& window, const ScreenRect& screen)
{
    ScreenRect inside = window;
    inside.left = clampToInt32(keepWithin(window.left, window.width, screen.left, int64_t(screen.left) + screen.width));
    inside.top = clampToInt32(keepWithin(window.top, window.height, screen.top, int64_t(screen.top) + screen.height));
    return inside;
}

}  // namespace s::app::win
