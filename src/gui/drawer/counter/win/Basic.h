#pragma once
#include <cstdint>

#include "gui/drawer/ICounter.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::counter::win {

// A bar: the part up to the value in the first colour, the rest in the second.
class Basic : public s::gui::drawer::ICounter, public s::thread::PooledBy<Basic> {
public:
    Basic() { reset(); }

    const char16_t* className() const override { return u"s_gui_drawer_counter_win_Basic"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t value,
               int32_t maximum) override;

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

}  // namespace s::gui::drawer::counter::win
