#include "gui/win/native/MenuDrawer.h"

#include "gui/win/native/Drawers.h"

namespace s::gui::win::native::drawers {

MenuDrawer::MenuDrawer()
    : m_highlightColour(GetSysColor(COLOR_HIGHLIGHT)),
      m_highlightTextColour(GetSysColor(COLOR_HIGHLIGHTTEXT)),
      m_textColour(GetSysColor(COLOR_MENUTEXT))
{
}

void MenuDrawer::paint(HDC dc, const std::vector<MenuBarEntry>& entries, HFONT font, int32_t marginX,
                       int32_t marginY, int32_t active, bool leftButtonDown) const
{
    HGDIOBJ previousFont = SelectObject(dc, font);
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < entries.size(); ++i) {
        const MenuBarEntry& entry = entries[i];
        RECT area{entry.bounds.left + marginX, entry.bounds.top + marginY, entry.bounds.right - marginX,
                  entry.bounds.bottom - marginY};
        const bool isActive = m_highlighting && static_cast<int32_t>(i) == active;
        if (!isActive) {
            paintText(dc, entry.text, area, m_textColour);
            continue;
        }
        fillArea(dc, entry.bounds.left, entry.bounds.top, entry.bounds.right - entry.bounds.left,
                 entry.bounds.bottom - entry.bounds.top, m_highlightColour);
        if (m_pressOffset)
            OffsetRect(&area, leftButtonDown ? 1 : -1, leftButtonDown ? 1 : -1);
        paintText(dc, entry.text, area, m_highlightTextColour);
    }
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
}

void MenuDrawer::paintText(HDC dc, std::u16string_view text, RECT area, COLORREF colour) const
{
    const COLORREF previous = SetTextColor(dc, colour);
    // Centred in the height: the bar is as high as the layout makes it.
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &area,
              DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_VCENTER);
    SetTextColor(dc, previous);
}

}  // namespace s::gui::win::native::drawers
