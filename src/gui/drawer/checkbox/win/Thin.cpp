#include "gui/drawer/checkbox/win/Thin.h"

#include "gui/drawer/Colour.h"
#include "gui/drawer/Extent.h"
#include "gui/drawer/Glyph.h"
#include "gui/drawer/Outline.h"
#include "gui/win/FontSetting.h"

namespace s::gui::drawer::checkbox::win {

namespace {

// Room between the box and the text.
constexpr int32_t kGap = 4;

}  // namespace

void Thin::reset()
{
    m_firstColour = colour::grey(120);
    m_secondColour = colour::kBlack;
    m_extraColour = colour::grey(170);
}

void Thin::paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, bool checked,
                 bool enabled, std::u16string_view text, const s::gui::win::FontSetting* font)
{
    if (!hasArea(left, top, right, bottom))
        return;
    const int32_t boxTop = top + (bottom - top - kMarkSize) / 2;
    const uint32_t mark = enabled ? m_firstColour : m_extraColour;
    outline(canvas, left, boxTop, left + kMarkSize, boxTop + kMarkSize, mark);
    if (checked)
        Glyph::draw(canvas, left, boxTop, left + kMarkSize, boxTop + kMarkSize, u"#Check", mark);
    if (font && !text.empty())
        canvas.drawText(left + kMarkSize + kGap, top, right, bottom, text, *font,
                        enabled ? m_secondColour : m_extraColour,
                        ICanvas::kTextSingleLine | ICanvas::kTextCentredVertically | ICanvas::kTextNoPrefix);
}

}  // namespace s::gui::drawer::checkbox::win
