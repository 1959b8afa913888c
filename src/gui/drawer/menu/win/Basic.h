#pragma once
#include <cstdint>
#include <vector>

#include "gui/drawer/IMenu.h"
#include "gui/win/FontSetting.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::menu::win {

// A horizontal menu bar: plain texts, the active entry on the highlight.
// The system's highlight colours are not known here; the Windows side sets
// them after a reset (setHighlightColour, highlightFont().setTextColour).
class Basic : public s::gui::drawer::IMenu, public s::thread::PooledBy<Basic> {
public:
    static constexpr uint32_t kLinkColour = 0xCC0000;  // (0, 0, 204)

    Basic() { reset(); }

    const char16_t* className() const override { return u"s_gui_drawer_menu_win_Basic"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void paint(ICanvas& canvas, const std::vector<Entry>& entries, const s::gui::win::FontSetting& normalFont,
               int32_t marginX, int32_t marginY, int32_t active, bool leftButtonDown) override;

    uint32_t highlightColour() const { return m_highlightColour; }
    void setHighlightColour(uint32_t colour) { m_highlightColour = colour; }
    // Its text colour is that of the active entry's text.
    s::gui::win::FontSetting& highlightFont() { return m_highlightFont; }
    const s::gui::win::FontSetting& highlightFont() const { return m_highlightFont; }
    bool isHighlighting() const { return m_highlighting; }
    void setHighlighting(bool on) { m_highlighting = on; }
    bool hasPressOffset() const { return m_pressOffset; }
    void setPressOffset(bool on) { m_pressOffset = on; }
    // The last entry drawn as a link: underlined, in kLinkColour, never highlighted.
    bool isLastEntryLink() const { return m_lastEntryLink; }
    void setLastEntryLink(bool on) { m_lastEntryLink = on; }
    // The last entry sits at the right end of the bar (the bar places it; kept here for it to ask).
    bool isLastEntryAtRight() const { return m_lastEntryAtRight; }
    void setLastEntryAtRight(bool on) { m_lastEntryAtRight = on; }

    // The colours a skin gives: text, line and background.
    uint32_t firstColour() const { return m_firstColour; }
    uint32_t secondColour() const { return m_secondColour; }
    uint32_t thirdColour() const { return m_thirdColour; }
    void setColours(uint32_t first, uint32_t second, uint32_t third)
    {
        m_firstColour = first;
        m_secondColour = second;
        m_thirdColour = third;
    }

private:
    void paintLink(ICanvas& canvas, const Entry& entry, int32_t marginX, int32_t marginY,
                   const s::gui::win::FontSetting& font) const;

    uint32_t m_highlightColour = 0;
    s::gui::win::FontSetting m_highlightFont;
    bool m_highlighting = true;
    bool m_pressOffset = false;
    bool m_lastEntryLink = false;
    bool m_lastEntryAtRight = false;
    uint32_t m_firstColour = 0;
    uint32_t m_secondColour = 0;
    uint32_t m_thirdColour = 0;
};

}  // namespace s::gui::drawer::menu::win
