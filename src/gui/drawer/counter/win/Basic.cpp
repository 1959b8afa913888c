#include "gui/drawer/counter/win/Basic.h"

#include <algorithm>

#include "gui/drawer/Colour.h"
#include "gui/drawer/Extent.h"
#include "gui/drawer/ICanvas.h"

namespace s::gui::drawer::counter::win {

void Basic::reset()
{
    m_firstColour = colour::grey(176);
    m_secondColour = colour::rgb(255, 165, 0);
}

void Basic::paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t value,
                  int32_t maximum)
{
    if (!hasArea(left, top, right, bottom))
        return;
    const int32_t w = right - left;
    // 64-bit so that a large maximum cannot overflow the product.
    const int64_t reached = maximum > 0 ? static_cast<int64_t>(w) * std::clamp(value, 0, maximum) / maximum : 0;
    const int32_t split = static_cast<int32_t>(reached);
    canvas.fillRect(left, top, split, bottom - top, m_firstColour);
    canvas.fillRect(left + split, top, w - split, bottom - top, m_secondColour);
}

}  // namespace s::gui::drawer::counter::win
