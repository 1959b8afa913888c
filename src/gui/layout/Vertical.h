#pragma once
#include "gui/ILayoutManager.h"
#include "gui/layout/ArrangeSettings.h"
#include "gui/layout/ContentSizes.h"
#include "thread/PooledBy.h"

namespace s::gui::layout {

// The column: children one below the other, all given the column's width
// first so that a child whose height depends on its width (a nested row, a
// wrapping text) is measured at its final width; then heights between each
// child's minimum and preferred height, free room shared in proportion.
// As a layout manager it arranges top-left without spacing; it is the
// default arrangement of a top-level window.
class Vertical : public s::gui::ILayoutManager, public s::thread::PooledBy<Vertical> {
public:
    const char16_t* className() const override { return u"s_gui_layout_Vertical"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override {}

    void layout(IContainer& container) override { arrange(container, ArrangeSettings()); }

    static Vertical& shared();
    static ContentSizes arrange(IContainer& box, const ArrangeSettings& settings);

private:
    struct Measure {
        int32_t sumMin = 0;
        int32_t sumPref = 0;
    };
    static Measure sizeWidths(IContainer& box, int32_t colWidth, int32_t spacing);
    static int32_t sizeHeights(IContainer& box, const Measure& sums, int32_t colWidth);
    static int32_t shareHeights(IContainer& box, const Measure& sums, int32_t colWidth, int32_t extra);
    static void place(IContainer& box, const ArrangeSettings& settings, int32_t extra, int32_t colWidth);
};

}  // namespace s::gui::layout
