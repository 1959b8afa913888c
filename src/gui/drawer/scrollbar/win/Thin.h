#pragma once
#include <cstdint>

#include "gui/drawer/IScrollBar.h"
#include "gui/drawer/SchemeColours.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::scrollbar::win {

// Lines and glyphs in the first colour on a track of the second.
class Thin : public s::gui::drawer::IScrollBar,
             public s::gui::drawer::SchemeColours,
             public s::thread::PooledBy<Thin> {
public:
    Thin() { reset(); }

    const char16_t* className() const override { return u"s_gui_drawer_scrollbar_win_Thin"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, bool vertical,
               int32_t thumbStart, int32_t thumbLength) override;
};

}  // namespace s::gui::drawer::scrollbar::win
