#include "gui/drawer/groupbox/win/Basic.h"

#include "gui/drawer/Colour.h"
#include "gui/drawer/Extent.h"
#include "gui/drawer/ICanvas.h"

namespace s::gui::drawer::groupbox::win {

void Basic::reset()
{
    m_lineColour = colour::rgb(208, 208, 191);
    m_titleFont.reset();
    m_titleFont.setTextColour(colour::rgb(0, 70, 213));
}

void Basic::paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, std::u16string_view title,
                  const s::gui::win::FontSetting& font, int32_t titleWidth, int32_t titleHeight)
{
    if (!hasArea(left, top, right, bottom))
        return;
    const int32_t h = bottom - top;
    const int32_t tw = clampedLength(titleWidth);
    titleHeight = clampedLength(titleHeight);
    canvas.drawText(left + 9, top, left + 9 + tw, top + titleHeight, title, font, font.textColour(),
                    ICanvas::kTextSingleLine | ICanvas::kTextNoPrefix);

    const uint32_t line = m_lineColour;
    // The top line stops two pixels before the title and goes on two after it.
    canvas.fillRect(left + 2, top, 5, 1, line);
    canvas.fillRect(tw + 11, top, right - tw - left - 13, 1, line);
    canvas.fillRect(left + 2, bottom - 1, right - left - 4, 1, line);
    canvas.fillRect(left, top + 2, 1, h - 4, line);
    canvas.fillRect(right - 1, top + 2, 1, h - 4, line);
    // Rounding: two-pixel steps into the corners.
    canvas.fillRect(left + 1, top + 1, 2, 1, line);
    canvas.fillRect(right - 3, top + 1, 2, 1, line);
    canvas.fillRect(left + 1, bottom - 2, 2, 1, line);
    canvas.fillRect(right - 3, bottom - 2, 2, 1, line);
    canvas.fillRect(left + 1, top + 2, 1, 1, line);
    canvas.fillRect(right - 2, top + 2, 1, 1, line);
    canvas.fillRect(left + 1, bottom - 3, 1, 1, line);
    canvas.fillRect(right - 2, bottom - 3, 1, 1, line);
}

}  // namespace s::gui::drawer::groupbox::win
