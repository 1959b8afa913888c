#pragma once
// The drawer of the unskinned menu bar: the entries' texts, the active one
// on the system's highlight.
#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

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

    void setHighlighting(bool on) { m_highlighting = on; }
    void setPressOffset(bool on) { m_pressOffset = on; }
    COLORREF highlightColour() const { return m_highlightColour; }
    COLORREF highlightTextColour() const { return m_highlightTextColour; }
    COLORREF textColour() const { return m_textColour; }

private:
    void paintText(HDC dc, std::u16string_view text, RECT area, COLORREF colour) const;

    COLORREF m_highlightColour;
    COLORREF m_highlightTextColour;
    COLORREF m_textColour;
    bool m_highlighting = true;
    bool m_pressOffset = false;
};

}  // namespace s::gui::win::native::drawers
