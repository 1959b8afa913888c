#include "gui/drawer/statusbar/win/BasicResizer.h"

#include "gui/drawer/Colour.h"
#include "gui/drawer/Extent.h"
#include "gui/drawer/Glyph.h"

namespace s::gui::drawer::statusbar::win {

namespace {

constexpr uint32_t kShade = colour::rgb(184, 181, 161);

}  // namespace

void BasicResizer::paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom) const
{
    if (!hasArea(left, top, right, bottom))
        return;
    Glyph::paintResizeGrip(canvas, right, bottom, kShade);
}

}  // namespace s::gui::drawer::statusbar::win
