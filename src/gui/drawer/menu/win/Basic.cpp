#include "gui/drawer/menu/win/Basic.h"

#include "gui/drawer/Colour.h"
#include "gui/drawer/Extent.h"
#include "gui/drawer/ICanvas.h"

namespace s::gui::drawer::menu::win {

namespace {

using s::gui::win::FontSetting;

// Centred in the height: the bar is as high as the layout makes it.
constexpr uint32_t kEntryLayout =
    ICanvas::kTextSingleLine | ICanvas::kTextNoPrefix | ICanvas::kTextCentredVertically;
// The highlight of the classic system look, until the Windows side sets the system's.
constexpr uint32_t kClassicHighlight = colour::rgb(49, 106, 197);

}  // namespace

void Basic::reset()
{
    m_highlightColour = kClassicHighlight;
    m_highlightFont.reset();
    m_highlightFont.setTextColour(colour::kWhite);
    m_highlighting = true;
    m_pressOffset = false;
    m_lastEntryLink = false;
    m_lastEntryAtRight = false;
    m_firstColour = colour::kBlack;
    m_secondColour = colour::grey(120);
    m_thirdColour = colour::kWhite;
}

void Basic::paint(ICanvas& canvas, const std::vector<Entry>& entries, const FontSetting& normalFont, int32_t marginX,
                  int32_t marginY, int32_t active, bool leftButtonDown)
{
    // The active entry's text in the highlight font, falling back to the normal font's face.
    FontSetting highlight = normalFont;
    highlight.takeSetAttributesOf(m_highlightFont);
    marginX = clampedLength(marginX);
    marginY = clampedLength(marginY);
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& entry = entries[i];
        if (!hasArea(entry.left, entry.top, entry.right, entry.bottom))
            continue;
        if (m_lastEntryLink && i + 1 == entries.size()) {
            paintLink(canvas, entry, marginX, marginY, normalFont);
            continue;
        }
        int32_t left = entry.left + marginX;
        int32_t top = entry.top + marginY;
        int32_t right = entry.right - marginX;
        int32_t bottom = entry.bottom - marginY;
        const bool isActive = m_highlighting && static_cast<int32_t>(i) == active;
        if (!isActive) {
            canvas.drawText(left, top, right, bottom, entry.text, normalFont, normalFont.textColour(), kEntryLayout);
            continue;
        }
        canvas.fillRect(entry.left, entry.top, entry.right - entry.left, entry.bottom - entry.top, m_highlightColour);
        if (m_pressOffset) {
            const int32_t shift = leftButtonDown ? 1 : -1;
            left += shift;
            top += shift;
            right += shift;
            bottom += shift;
        }
        canvas.drawText(left, top, right, bottom, entry.text, highlight, highlight.textColour(), kEntryLayout);
    }
}

void Basic::paintLink(ICanvas& canvas, const Entry& entry, int32_t marginX, int32_t marginY,
                      const FontSetting& font) const
{
    const int32_t left = entry.left + marginX;
    const int32_t top = entry.top + marginY;
    const int32_t right = entry.right - marginX;
    const int32_t bottom = entry.bottom - marginY;
    canvas.drawText(left, top, right, bottom, entry.text, font, kLinkColour, kEntryLayout);
    // The underline sits just below the vertically centred line of text.
    const ICanvas::TextSize size = canvas.measureText(entry.text, font);
    const int32_t underlineY = top + (bottom - top + size.height) / 2 - 1;
    const int32_t width = size.width < right - left ? size.width : right - left;
    canvas.fillRect(left, underlineY, width, 1, kLinkColour);
}

}  // namespace s::gui::drawer::menu::win
