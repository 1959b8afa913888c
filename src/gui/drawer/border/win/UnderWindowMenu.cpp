#include "gui/drawer/border/win/UnderWindowMenu.h"

#include "gui/drawer/Colour.h"
#include "gui/drawer/Extent.h"
#include "gui/drawer/ICanvas.h"

namespace s::gui::drawer::border::win {

namespace {

constexpr uint32_t kDarkRow = colour::rgb(172, 168, 153);

}  // namespace

void UnderWindowMenu::paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t,
                            int32_t, uint32_t, uint32_t, uint32_t)
{
    if (!hasArea(left, top, right, bottom))
        return;
    const int32_t w = right - left;
    canvas.fillRect(left, top, w, 1, kDarkRow);
    canvas.fillRect(left, top + 1, w, 1, colour::kWhite);
}

}  // namespace s::gui::drawer::border::win
