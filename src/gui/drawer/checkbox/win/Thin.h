#pragma once
#include <cstdint>
#include <string_view>

#include "gui/drawer/ICheckBox.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::checkbox::win {

// A square box with the tick glyph: the mark in the first colour, the
// text in the second, both in the extra colour when disabled.
class Thin : public s::gui::drawer::ICheckBox, public s::thread::PooledBy<Thin> {
public:
    static constexpr int32_t kMarkSize = 13;

    Thin() { reset(); }

    const char16_t* className() const override { return u"s_gui_drawer_checkbox_win_Thin"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, bool checked, bool enabled,
               std::u16string_view text, const s::gui::win::FontSetting* font) override;

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

}  // namespace s::gui::drawer::checkbox::win
