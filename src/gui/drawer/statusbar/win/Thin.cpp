#include "gui/drawer/statusbar/win/Thin.h"

#include "gui/drawer/Extent.h"
#include "gui/drawer/ICanvas.h"

namespace s::gui::drawer::statusbar::win {

namespace {

constexpr uint32_t kResetGrey = 0x787878;

}  // namespace

void Thin::reset()
{
    m_colour = kResetGrey;
}

void Thin::paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    if (!hasArea(left, top, right, bottom))
        return;
    canvas.fillRect(left, top, right - left, 1, m_colour);
}

}  // namespace s::gui::drawer::statusbar::win
