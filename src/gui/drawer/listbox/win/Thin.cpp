#include "gui/drawer/listbox/win/Thin.h"

#include "gui/drawer/Colour.h"
#include "gui/drawer/Extent.h"
#include "gui/drawer/Outline.h"
#include "gui/win/FontSetting.h"

namespace s::gui::drawer::listbox::win {

namespace {

constexpr int32_t kTextIndent = 3;

}  // namespace

void Thin::reset()
{
    setColours(colour::kWhite, colour::kBlack, colour::grey(120), colour::kWhite, colour::grey(243));
}

uint32_t Thin::colourOf(int32_t role) const
{
    return role >= 0 && role < kRoleCount ? m_colours[static_cast<size_t>(role)] : m_colours[kBackground];
}

void Thin::paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    if (!hasArea(left, top, right, bottom))
        return;
    canvas.fillRect(left, top, right - left, bottom - top, m_colours[kBackground]);
    outline(canvas, left, top, right, bottom, m_colours[kSelection]);
}

void Thin::paintItem(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t index,
                     std::u16string_view text, const s::gui::win::FontSetting* font, bool selected)
{
    if (!hasArea(left, top, right, bottom))
        return;
    const uint32_t fill = selected ? m_colours[kSelection] : (index % 2 != 0) ? m_colours[kStripe]
                                                                              : m_colours[kBackground];
    canvas.fillRect(left, top, right - left, bottom - top, fill);
    if (font && !text.empty())
        canvas.drawText(left + kTextIndent, top, right - kTextIndent, bottom, text, *font,
                        selected ? m_colours[kSelectedText] : m_colours[kText],
                        ICanvas::kTextSingleLine | ICanvas::kTextCentredVertically | ICanvas::kTextEndEllipsis |
                            ICanvas::kTextNoPrefix);
}

}  // namespace s::gui::drawer::listbox::win
