#pragma once
#include <cstdint>

#include "gui/drawer/ICounter.h"
#include "gui/drawer/SchemeColours.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::counter::win {

// A bar: the part up to the value in the first colour, the rest in the second.
class Basic : public s::gui::drawer::ICounter,
              public s::gui::drawer::SchemeColours,
              public s::thread::PooledBy<Basic> {
public:
    Basic() { reset(); }

    const char16_t* className() const override { return u"s_gui_drawer_counter_win_Basic"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t value,
               int32_t maximum) override;
};

}  // namespace s::gui::drawer::counter::win
