#include "gui/drawer/slider/win/Thin.h"

#include "gui/drawer/Colour.h"
#include "gui/drawer/Extent.h"
#include "gui/drawer/Outline.h"

namespace s::gui::drawer::slider::win {

void Thin::reset()
{
    m_firstColour = colour::grey(120);
    m_secondColour = colour::grey(200);
    m_extraColour = colour::grey(170);
}

void Thin::paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t thumbLeft,
                 int32_t thumbWidth, bool enabled)
{
    if (!hasArea(left, top, right, bottom))
        return;
    const uint32_t line = enabled ? m_firstColour : m_extraColour;
    const int32_t middle = top + (bottom - top) / 2;
    canvas.fillRect(left, middle - 1, right - left, 2, line);
    thumbLeft = clampedLength(thumbLeft);
    thumbWidth = clampedLength(thumbWidth);
    if (thumbWidth <= 0)
        return;
    canvas.fillRect(left + thumbLeft, top, thumbWidth, bottom - top, enabled ? m_secondColour : m_extraColour);
    outline(canvas, left + thumbLeft, top, left + thumbLeft + thumbWidth, bottom, line);
}

}  // namespace s::gui::drawer::slider::win
