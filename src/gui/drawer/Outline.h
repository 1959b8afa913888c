#pragma once
#include <cstdint>

#include "gui/drawer/ICanvas.h"

namespace s::gui::drawer {

// A one-pixel rectangle along the inside of (left, top, right, bottom).
inline void outline(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour)
{
    const int32_t w = right - left;
    const int32_t h = bottom - top;
    if (w <= 0 || h <= 0)
        return;
    canvas.fillRect(left, top, w, 1, colour);
    canvas.fillRect(left + w - 1, top, 1, h, colour);
    canvas.fillRect(left, top + h - 1, w, 1, colour);
    canvas.fillRect(left, top, 1, h - 1, colour);
}

}  // namespace s::gui::drawer
