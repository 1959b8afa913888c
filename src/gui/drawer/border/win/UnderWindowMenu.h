#pragma once
#include <cstdint>

#include "gui/drawer/IBorder.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::border::win {

// The strip under a menu bar: a dark row over a white one. The colours are
// fixed, so the given colour, type and corners are not used, and the rest
// of the strip keeps whatever is under it.
class UnderWindowMenu : public s::gui::drawer::IBorder, public s::thread::PooledBy<UnderWindowMenu> {
public:
    const char16_t* className() const override { return u"s_gui_drawer_border_win_UnderWindowMenu"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override {}

    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t type,
               int32_t cornerKind, uint32_t red, uint32_t green, uint32_t blue) override;
};

}  // namespace s::gui::drawer::border::win
