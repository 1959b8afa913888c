#pragma once
#include <cstdint>

#include "gui/drawer/ISlider.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::slider::win {

// A track line in the first colour and a thumb filled with the second;
// both in the extra colour when disabled.
class Thin : public s::gui::drawer::ISlider, public s::thread::PooledBy<Thin> {
public:
    Thin() { reset(); }

    const char16_t* className() const override { return u"s_gui_drawer_slider_win_Thin"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t thumbLeft,
               int32_t thumbWidth, bool enabled) override;

    uint32_t firstColour() const { return m_firstColour; }
    uint32_t secondColour() const { return m_secondColour; }
    void setColours(uint32_t first, uint32_t second)
    {
        m_firstColour = first;
        m_secondColour = second;
    }
    uint32_t extraColour() const { return m_extraColour; }
    void setExtraColour(uint32_t colour) { m_extraColour = colour; }

private:
    uint32_t m_firstColour = 0;
    uint32_t m_secondColour = 0;
    uint32_t m_extraColour = 0;
};

}  // namespace s::gui::drawer::slider::win
