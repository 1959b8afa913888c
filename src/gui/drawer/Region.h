#pragma once
#include <cstdint>
#include <vector>

namespace s::gui::drawer {

// The shape of a window as a window drawer wants it: a rectangle, rounded
// by a corner ellipse unless that is 0, with rectangles added that square
// off the corners of one side again.
struct Region {
    struct Rect {
        int32_t left = 0;
        int32_t top = 0;
        int32_t right = 0;
        int32_t bottom = 0;
    };

    Rect bounds;
    int32_t cornerEllipse = 0;  // 0 square, else the ellipse's width and height
    std::vector<Rect> squaring;
};

// Windows build only: the region as an HRGN, which the caller owns (or hands
// to SetWindowRgn); null when the system refused it.
void* createNativeRegion(const Region& region);

}  // namespace s::gui::drawer
