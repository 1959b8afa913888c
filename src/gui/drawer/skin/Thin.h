#pragma once
#include "gui/drawer/skin/DrawerSet.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::skin {

// A skin of the "Thin" family: flat drawers from six colours.
class Thin : public DrawerSet, public s::thread::PooledBy<Thin> {
public:
    const char16_t* className() const override { return u"s_gui_drawer_skin_Thin"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override { clear(); }
};

}  // namespace s::gui::drawer::skin
