#include "gui/drawer/border/win/Plain.h"

#include "gui/drawer/Colour.h"
#include "gui/drawer/Extent.h"
#include "gui/drawer/ICanvas.h"

namespace s::gui::drawer::border::win {

void Plain::paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t, int32_t,
                  uint32_t red, uint32_t green, uint32_t blue)
{
    if (!hasArea(left, top, right, bottom))
        return;
    const int32_t w = right - left;
    const int32_t h = bottom - top;
    const uint32_t line = colour::rgb(red, green, blue);
    canvas.fillRect(left, top, w, 1, line);
    canvas.fillRect(left + w - 1, top, 1, h, line);
    canvas.fillRect(left, top + h - 1, w, 1, line);
    canvas.fillRect(left, top, 1, h - 1, line);
}

}  // namespace s::gui::drawer::border::win
