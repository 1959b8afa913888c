#pragma once
#include "platform/ScreenGeometry.h"

namespace s::app::win {

// Where a top-level window may lie, as plain arithmetic on its outer
// rectangle and the screens' (left, top, width, height). Sums are taken in
// 64 bits: stored positions and sizes come from the settings store and may
// be anything.
class Placement {
public:
    // How much of a window must lie inside the virtual screen on each axis
    // for the user to be able to grab it.
    static constexpr int32_t kMinVisible = 10;

    // More than kMinVisible pixels wide and high, and at least kMinVisible
    // pixels inside the virtual screen on each axis.
    static bool isOnScreen(const s::platform::ScreenRect& window, const s::platform::ScreenRect& virtualScreen);
    // The same size, centred on the work area but never starting before its
    // left or top edge.
    static s::platform::ScreenRect centredOnWorkArea(const s::platform::ScreenRect& window,
                                                     const s::platform::ScreenRect& workArea);
    // Shifted left and up where it sticks out past the right or bottom
    // edge, then right and down onto the left or top edge.
    static s::platform::ScreenRect insideVirtualScreen(const s::platform::ScreenRect& window,
                                                       const s::platform::ScreenRect& virtualScreen);
};

}  // namespace s::app::win
