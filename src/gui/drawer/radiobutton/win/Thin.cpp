#include "gui/drawer/radiobutton/win/Thin.h"

#include "gui/drawer/Colour.h"
#include "gui/drawer/Extent.h"
#include "gui/drawer/ICanvas.h"
#include "gui/win/FontSetting.h"

namespace s::gui::drawer::radiobutton::win {

namespace {

constexpr int32_t kGap = 4;
constexpr int32_t kDot = 5;

}  // namespace

void Thin::reset()
{
    m_firstColour = colour::grey(120);
    m_secondColour = colour::kBlack;
    m_extraColour = colour::grey(170);
}

void Thin::paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, bool selected,
                 bool enabled, std::u16string_view text, const s::gui::win::FontSetting* font)
{
    if (!hasArea(left, top, right, bottom))
        return;
    const int32_t y = top + (bottom - top - kMarkSize) / 2;
    const uint32_t mark = enabled ? m_firstColour : m_extraColour;
    // An outline with its corners cut twice reads as round at this size.
    canvas.fillRect(left + 3, y, kMarkSize - 6, 1, mark);
    canvas.fillRect(left + 3, y + kMarkSize - 1, kMarkSize - 6, 1, mark);
    canvas.fillRect(left, y + 3, 1, kMarkSize - 6, mark);
    canvas.fillRect(left + kMarkSize - 1, y + 3, 1, kMarkSize - 6, mark);
    for (int32_t step = 1; step <= 2; ++step) {
        canvas.fillRect(left + step, y + 3 - step, 1, 1, mark);
        canvas.fillRect(left + kMarkSize - 1 - step, y + 3 - step, 1, 1, mark);
        canvas.fillRect(left + step, y + kMarkSize - 4 + step, 1, 1, mark);
        canvas.fillRect(left + kMarkSize - 1 - step, y + kMarkSize - 4 + step, 1, 1, mark);
    }
    if (selected)
        canvas.fillRect(left + (kMarkSize - kDot) / 2, y + (kMarkSize - kDot) / 2, kDot, kDot, mark);
    if (font && !text.empty())
        canvas.drawText(left + kMarkSize + kGap, top, right, bottom, text, *font,
                        enabled ? m_secondColour : m_extraColour,
                        ICanvas::kTextSingleLine | ICanvas::kTextCentredVertically | ICanvas::kTextNoPrefix);
}

}  // namespace s::gui::drawer::radiobutton::win
