#include "gui/drawer/combo/win/Thin.h"

#include "gui/drawer/Colour.h"
#include "gui/drawer/Extent.h"
#include "gui/drawer/Glyph.h"
#include "gui/drawer/Outline.h"
#include "gui/win/FontSetting.h"

namespace s::gui::drawer::combo::win {

namespace {

constexpr int32_t kTextIndent = 3;
constexpr int32_t kStatePressed = 2;

}  // namespace

void Thin::reset()
{
    m_firstColour = colour::kBlack;
    m_secondColour = colour::grey(120);
    m_extraColour = colour::kBlack;
}

void Thin::paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t state,
                 std::u16string_view text, const s::gui::win::FontSetting* font, bool enabled)
{
    if (!hasArea(left, top, right, bottom))
        return;
    // A pressed box is lined twice, so it reads as held down.
    outline(canvas, left, top, right, bottom, m_secondColour);
    if (state == kStatePressed)
        outline(canvas, left + 1, top + 1, right - 1, bottom - 1, m_secondColour);
    const int32_t strip = right - 1 - kArrowStrip;
    canvas.fillRect(strip - 1, top + 1, 1, bottom - top - 2, m_secondColour);
    Glyph::draw(canvas, strip, top + 1, right - 1, bottom - 1, u"#Down", enabled ? m_extraColour : m_secondColour);
    if (font && !text.empty())
        canvas.drawText(left + kTextIndent, top, strip - 1, bottom, text, *font,
                        enabled ? m_firstColour : m_secondColour,
                        ICanvas::kTextSingleLine | ICanvas::kTextCentredVertically | ICanvas::kTextEndEllipsis |
                            ICanvas::kTextNoPrefix);
}

}  // namespace s::gui::drawer::combo::win
