#pragma once
#include <cstdint>

namespace s::platform {

// A screen rectangle by its top-left corner and size, in pixels.
struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// What window placement needs to know of the screens.
struct ScreenGeometry {
    // The bounding rectangle of all monitors.
    ScreenRect virtualScreen;
    // The primary monitor less the task bar.
    ScreenRect workArea;
};

// The system's current geometry, asked afresh on every call: monitors come
// and go while a window is open. Without a screen (the native build) a
// single 1024 x 768 monitor is assumed.
ScreenGeometry screenGeometry();

// Tests install a fixed geometry (copied); null restores the system's.
void setScreenGeometryOverride(const ScreenGeometry* geometry);

// The system's own answer (what screenGeometry uses by default).
ScreenGeometry systemScreenGeometry();

}  // namespace s::platform
