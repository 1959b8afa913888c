#pragma once
// The drawer of the unskinned menu bar: the entries' texts, the active one
// on the system's highlight. It paints through the portable menu drawer,
// given the system's colours here.
#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "gui/drawer/menu/win/Basic.h"
#include "thread/Pooled.h"

namespace s::gui::win::native::drawers {

struct MenuBarEntry {
    std::u16string_view text;
    RECT bounds{};
};

class MenuDrawer {
public:
    MenuDrawer();

    // Each entry's text in its rectangle moved in by the margins; the active
    // entry (-1 for none) first gets its rectangle in the highlight colour
    // and its text in the highlight text colour. With the press offset the
    // active text moves a pixel down and right while the left button is
    // down, up and left otherwise.
    void paint(HDC dc, const std::vector<MenuBarEntry>& entries, HFONT font, int32_t marginX, int32_t marginY,
               int32_t active, bool leftButtonDown) const;

    void setHighlighting(bool on) { m_drawer->setHighlighting(on); }
    void setPressOffset(bool on) { m_drawer->setPressOffset(on); }
    COLORREF highlightColour() const { return m_drawer->highlightColour(); }
    COLORREF highlightTextColour() const { return m_drawer->highlightFont().textColour(); }
    COLORREF textColour() const { return m_textColour; }

private:
    s::thread::Pooled<s::gui::drawer::menu::win::Basic> m_drawer;  // owned
    COLORREF m_textColour;
};

}  // namespace s::gui::win::native::drawers
