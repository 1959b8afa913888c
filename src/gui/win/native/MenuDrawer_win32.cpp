#include "gui/win/native/MenuDrawer.h"

#include "gui/drawer/GdiCanvas.h"
#include "gui/win/FontSetting.h"

namespace s::gui::win::native::drawers {

MenuDrawer::MenuDrawer()
    : m_drawer(s::gui::drawer::menu::win::Basic::take()), m_textColour(GetSysColor(COLOR_MENUTEXT))
{
    // The portable drawer cannot ask the system for its highlight colours.
    m_drawer->setHighlightColour(GetSysColor(COLOR_HIGHLIGHT));
    m_drawer->highlightFont().setTextColour(GetSysColor(COLOR_HIGHLIGHTTEXT));
}

void MenuDrawer::paint(HDC dc, const std::vector<MenuBarEntry>& entries, HFONT font, int32_t marginX,
                       int32_t marginY, int32_t active, bool leftButtonDown) const
{
    std::vector<s::gui::drawer::IMenu::Entry> items;
    items.reserve(entries.size());
    for (const MenuBarEntry& entry : entries)
        items.push_back({entry.text, entry.bounds.left, entry.bounds.top, entry.bounds.right, entry.bounds.bottom});
    s::gui::win::FontSetting normal;
    normal.setFont(font);
    normal.setTextColour(m_textColour);
    s::gui::drawer::GdiCanvas canvas(dc);
    m_drawer->paint(canvas, items, normal, marginX, marginY, active, leftButtonDown);
}

}  // namespace s::gui::win::native::drawers
