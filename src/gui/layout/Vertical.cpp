#include "gui/layout/Vertical.h"

#include <algorithm>

#include "gui/IContainer.h"
#include "gui/layout/ChildFreeze.h"
#include "gui/layout/LayoutMath.h"

namespace s::gui::layout {

namespace {

// Heights are first measured with height 0, which gives each child its
// minimum height at the column's width.
constexpr int32_t kMinimumForNow = 0;

}  // namespace

Vertical& Vertical::shared()
{
    static Vertical instance;
    return instance;
}

ContentSizes Vertical::arrange(IContainer& box, const ArrangeSettings& settings)
{
    // Pass 1: freeze, so each native window moves once, at the end.
    ChildFreeze frozen(box);

    // Pass 2: one width for the column.
    int32_t maxMinW = 0;
    int32_t maxPrefW = 0;
    for (int32_t i = 0; i < box.childCount(); ++i) {
        const IComponent* child = box.child(i);
        maxMinW = std::max(maxMinW, child->minWidth());
        maxPrefW = std::max(maxPrefW, std::max(child->minWidth(), child->preferredWidth()));
    }
    const int32_t colWidth = std::max(box.innerWidth(), maxMinW);

    // Pass 3: every child at that width, measured at its minimum height.
    const Measure sums = sizeWidths(box, colWidth, settings.vSpacing);

    // Pass 4: heights, and the room left for alignment.
    const int32_t extra = sizeHeights(box, sums, colWidth);

    // Pass 5: positions.
    place(box, settings, extra, colWidth);

    return {maxMinW, sums.sumMin, maxPrefW, sums.sumPref};
}

Vertical::Measure Vertical::sizeWidths(IContainer& box, int32_t colWidth, int32_t spacing)
{
    SpacedSum sumMin(spacing);
    SpacedSum sumPref(spacing);
    for (int32_t i = 0; i < box.childCount(); ++i) {
        IComponent* child = box.child(i);
        child->setLayoutSize(colWidth, kMinimumForNow);
        sumMin.add(child->height());
        sumPref.add(std::max(child->preferredHeight(), child->height()));
    }
    return {sumMin.total(), sumPref.total()};
}

int32_t Vertical::sizeHeights(IContainer& box, const Measure& sums, int32_t colWidth)
{
    const int32_t avail = std::max(box.innerHeight(), sums.sumMin);
    const int32_t extra = avail - sums.sumMin;
    if (extra <= 0 || sums.sumPref <= sums.sumMin)
        return extra;  // the minimum heights of pass 3 stay
    if (avail < sums.sumPref)
        return shareHeights(box, sums, colWidth, extra);
    for (int32_t i = 0; i < box.childCount(); ++i) {
        IComponent* child = box.child(i);
        child->setLayoutSize(colWidth, child->preferredHeight());
    }
    return avail - sums.sumPref;
}

int32_t Vertical::shareHeights(IContainer& box, const Measure& sums, int32_t colWidth, int32_t extra)
{
    // Each child grows by the same fraction of what it still wants ...
    const float ratio = LayoutMath::ratio(extra, sums.sumPref - sums.sumMin);
    for (int32_t i = 0; i < box.childCount(); ++i) {
        IComponent* child = box.child(i);
        const int32_t before = child->height();
        const int32_t prefH = child->preferredHeight();
        if (before >= prefH)
            continue;
        child->setLayoutSize(colWidth, before + LayoutMath::share(prefH - before, ratio));
        extra -= child->height() - before;
    }
    // ... and the pixels the truncation left go to the first that want more.
    for (int32_t i = 0; i < box.childCount() && extra != 0; ++i) {
        IComponent* child = box.child(i);
        const int32_t before = child->height();
        const int32_t prefH = child->preferredHeight();
        if (before >= prefH)
            continue;
        child->setLayoutSize(colWidth, std::min(prefH, before + extra));
        extra -= child->height() - before;
    }
    return extra;
}

void Vertical::place(IContainer& box, const ArrangeSettings& settings, int32_t extra, int32_t colWidth)
{
    int32_t y = LayoutMath::alignStart(extra, settings.vAlign);
    for (int32_t i = 0; i < box.childCount(); ++i) {
        IComponent* child = box.child(i);
        if (i > 0 && box.child(i - 1)->height() >= 1)
            y += settings.vSpacing;
        child->setPosition(LayoutMath::alignWithin(colWidth, child->width(), settings.hAlign), y);
        y += child->height();
    }
}

}  // namespace s::gui::layout
