#pragma once
#include "gui/layout/ArrangeSettings.h"
#include "gui/layout/ContentSizes.h"

namespace s::gui {
class IContainer;
}

namespace s::gui::layout {

// The horizontal arrangement: children side by side in their order, each
// between its minimum and preferred width, free room shared in proportion
// to what each child still wants, then used for alignment. Every child takes
// part, hidden or not (a window collapses a child with a fixed width of 0).
class Row {
public:
    static ContentSizes arrange(IContainer& box, const ArrangeSettings& settings);

private:
    struct Measure {
        int32_t sumMin = 0;
        int32_t sumPref = 0;
    };
    static Measure measure(const IContainer& box, int32_t spacing);
    // Sets the widths; returns the room left over for alignment.
    static int32_t sizeWidths(IContainer& box, const Measure& sums);
    static int32_t shareWidths(IContainer& box, const Measure& sums, int32_t extra);
    static int32_t giveRemainder(IContainer& box, int32_t extra);
    static void place(IContainer& box, const ArrangeSettings& settings, int32_t extra, int32_t rowHeight);
};

}  // namespace s::gui::layout
