#pragma once
#include <cstdint>

#include "gui/drawer/IStatusBar.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::statusbar::win {

// A line in the skin's colour along the top of the bar.
class Thin : public s::gui::drawer::IStatusBar, public s::thread::PooledBy<Thin> {
public:
    Thin() { reset(); }

    const char16_t* className() const override { return u"s_gui_drawer_statusbar_win_Thin"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom) override;

    uint32_t colour() const { return m_colour; }
    void setColour(uint32_t colour) { m_colour = colour; }

private:
    uint32_t m_colour = 0;
};

}  // namespace s::gui::drawer::statusbar::win
