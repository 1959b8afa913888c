#pragma once
#include <cstdint>

namespace s::gui::drawer {

// The colours a scheme hands the drawers of the simpler kinds (check box,
// radio button, combo box, slider, scroll bar, counter, list header): a
// first and a second colour, and for some an extra one (the muted look).
// Windows colour values; each drawer's reset gives its own defaults.
class SchemeColours {
public:
    uint32_t firstColour() const { return m_firstColour; }
    uint32_t secondColour() const { return m_secondColour; }
    void setColours(uint32_t first, uint32_t second)
    {
        m_firstColour = first;
        m_secondColour = second;
    }
    uint32_t extraColour() const { return m_extraColour; }
    void setExtraColour(uint32_t colour) { m_extraColour = colour; }

protected:
    uint32_t m_firstColour = 0;
    uint32_t m_secondColour = 0;
    uint32_t m_extraColour = 0;
};

}  // namespace s::gui::drawer
