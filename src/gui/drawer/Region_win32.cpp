#include "gui/drawer/Region.h"

#include <windows.h>

namespace s::gui::drawer {

void* createNativeRegion(const Region& region)
{
    const Region::Rect& b = region.bounds;
    HRGN shape = region.cornerEllipse > 0
                     ? CreateRoundRectRgn(b.left, b.top, b.right, b.bottom, region.cornerEllipse, region.cornerEllipse)
                     : CreateRectRgn(b.left, b.top, b.right, b.bottom);
    if (!shape)
        return nullptr;
    for (const Region::Rect& square : region.squaring) {
        HRGN part = CreateRectRgn(square.left, square.top, square.right, square.bottom);
        if (!part)
            continue;
        CombineRgn(shape, shape, part, RGN_OR);
        DeleteObject(part);
    }
    return shape;
}

}  // namespace s::gui::drawer
