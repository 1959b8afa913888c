#pragma once
#include <vector>

#include "gui/ILayoutManager.h"
#include "gui/layout/ArrangeSettings.h"
#include "gui/layout/ContentSizes.h"
#include "thread/PooledBy.h"

namespace s::gui::layout {

// The flow: children left to right, wrapped into a new line when the next
// one does not fit; lines top to bottom. A child "counts" when it is shown
// and at least 1 pixel wide: horizontal spacing stands only between two
// counting children of the same line. Hidden children are placed too.
// As a layout manager it arranges top-left without spacing; it is the
// shared default manager of a box.
class FlowH : public s::gui::ILayoutManager, public s::thread::PooledBy<FlowH> {
public:
    const char16_t* className() const override { return u"s_gui_layout_FlowH"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override {}

    void layout(IContainer& container) override { arrange(container, ArrangeSettings()); }

    static FlowH& shared();
    static ContentSizes arrange(IContainer& box, const ArrangeSettings& settings);

private:
    // One line of children [first, end) and the room it left free.
    struct Line {
        int32_t first = 0;
        int32_t end = 0;
        int32_t free = 0;
    };
    struct Totals {
        int32_t min = 0;
        int32_t pref = 0;
    };
    using Lines = std::vector<Line>;

    static int32_t preferredLine(const IContainer& box, int32_t spacing);
    static Totals breakLines(IContainer& box, int32_t lineWidth, int32_t spacing, int32_t vSpacing, Lines& lines);
    static int32_t growHeights(IContainer& box, const Lines& lines, int32_t lineWidth, const Totals& totals, int32_t extra);
    static int32_t lineHeight(const IContainer& box, const Line& line);
    static void place(IContainer& box, const Lines& lines, const ArrangeSettings& settings, int32_t extra);
};

}  // namespace s::gui::layout
