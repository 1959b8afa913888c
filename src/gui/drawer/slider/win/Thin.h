#pragma once
#include <cstdint>

#include "gui/drawer/ISlider.h"
#include "gui/drawer/SchemeColours.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::slider::win {

// A track line in the first colour and a thumb filled with the second;
// both in the extra colour when disabled.
class Thin : public s::gui::drawer::ISlider,
             public s::gui::drawer::SchemeColours,
             public s::thread::PooledBy<Thin> {
public:
    Thin() { reset(); }

    const char16_t* className() const override { return u"s_gui_drawer_slider_win_Thin"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t thumbLeft,
               int32_t thumbWidth, bool enabled) override;
};

}  // namespace s::gui::drawer::slider::win
