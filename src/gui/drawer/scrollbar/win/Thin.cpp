#include "gui/drawer/scrollbar/win/Thin.h"

#include <algorithm>

#include "gui/drawer/Colour.h"
#include "gui/drawer/Extent.h"
#include "gui/drawer/Glyph.h"
#include "gui/drawer/Outline.h"

namespace s::gui::drawer::scrollbar::win {

void Thin::reset()
{
    m_firstColour = colour::grey(120);
    m_secondColour = colour::kWhite;
}

void Thin::paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, bool vertical,
                 int32_t thumbStart, int32_t thumbLength)
{
    if (!hasArea(left, top, right, bottom))
        return;
    canvas.fillRect(left, top, right - left, bottom - top, m_secondColour);
    outline(canvas, left, top, right, bottom, m_firstColour);
    // The arrows take squares as deep as the bar is thick.
    const int32_t thickness = vertical ? right - left : bottom - top;
    if (vertical) {
        Glyph::draw(canvas, left, top, right, top + thickness, u"#Up", m_firstColour);
        Glyph::draw(canvas, left, bottom - thickness, right, bottom, u"#Down", m_firstColour);
    } else {
        Glyph::draw(canvas, left, top, left + thickness, bottom, u"#Left", m_firstColour);
        Glyph::draw(canvas, right - thickness, top, right, bottom, u"#Right", m_firstColour);
    }
    thumbStart = clampedLength(thumbStart);
    thumbLength = clampedLength(thumbLength);
    if (thumbLength <= 0)
        return;
    const int32_t start = (vertical ? top : left) + thickness + thumbStart;
    if (vertical) {
        outline(canvas, left, start, right, start + thumbLength, m_firstColour);
        Glyph::draw(canvas, left, start, right, start + thumbLength, u"#ThumbLineV", m_firstColour);
    } else {
        outline(canvas, start, top, start + thumbLength, bottom, m_firstColour);
        Glyph::draw(canvas, start, top, start + thumbLength, bottom, u"#ThumbLineH", m_firstColour);
    }
}

}  // namespace s::gui::drawer::scrollbar::win
