#pragma once
#include "gui/ILayoutManager.h"
#include "gui/layout/ArrangeSettings.h"
#include "gui/layout/ContentSizes.h"
#include "thread/PooledBy.h"

namespace s::gui::layout {

// All visible children at the same origin, each at its preferred size within
// the pile. Hidden children take no part at all, which is what makes a pile
// a stack of pages: only the shown page takes room and counts in the sizes.
class Pile : public s::gui::ILayoutManager, public s::thread::PooledBy<Pile> {
public:
    const char16_t* className() const override { return u"s_gui_layout_Pile"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override {}

    void layout(IContainer& container) override { arrange(container, ArrangeSettings()); }

    static Pile& shared();
    static ContentSizes arrange(IContainer& box, const ArrangeSettings& settings);
};

}  // namespace s::gui::layout
