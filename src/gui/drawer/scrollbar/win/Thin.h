#pragma once
#include <cstdint>

#include "gui/drawer/IScrollBar.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::scrollbar::win {

// Lines and glyphs in the first colour on a track of the second.
class Thin : public s::gui::drawer::IScrollBar, public s::thread::PooledBy<Thin> {
public:
    Thin() { reset(); }

    const char16_t* className() const override { return u"s_gui_drawer_scrollbar_win_Thin"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, bool vertical,
               int32_t thumbStart, int32_t thumbLength) override;

    uint32_t firstColour() const { return m_firstColour; }
    uint32_t secondColour() const { return m_secondColour; }
    void setColours(uint32_t first, uint32_t second)
    {
        m_firstColour = first;
        m_secondColour = second;
    }

private:
    uint32_t m_firstColour = 0;
    uint32_t m_secondColour = 0;
};

}  // namespace s::gui::drawer::scrollbar::win
