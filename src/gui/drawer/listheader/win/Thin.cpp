#include "gui/drawer/listheader/win/Thin.h"

#include "gui/drawer/Colour.h"
#include "gui/drawer/Extent.h"
#include "gui/drawer/ICanvas.h"

namespace s::gui::drawer::listheader::win {

namespace {

constexpr int32_t kTextIndent = 4;

}  // namespace

void Thin::reset()
{
    m_firstColour = colour::grey(120);
    m_secondColour = colour::grey(240);
    m_fontSetting.reset();
}

void Thin::paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, std::u16string_view text,
                 const s::gui::win::FontSetting* font)
{
    if (!hasArea(left, top, right, bottom))
        return;
    canvas.fillRect(left, top, right - left, bottom - top, m_secondColour);
    canvas.fillRect(right - 1, top, 1, bottom - top, m_firstColour);
    canvas.fillRect(left, bottom - 1, right - left, 1, m_firstColour);
    // The control's font, in the colour the skin chose for heads.
    s::gui::win::FontSetting look = font ? *font : m_fontSetting;
    look.takeSetAttributesOf(m_fontSetting);
    if (!text.empty())
        canvas.drawText(left + kTextIndent, top, right - kTextIndent, bottom - 1, text, look, look.textColour(),
                        ICanvas::kTextSingleLine | ICanvas::kTextCentredVertically | ICanvas::kTextEndEllipsis |
                            ICanvas::kTextNoPrefix);
}

}  // namespace s::gui::drawer::listheader::win
