#include "gui/layout/Row.h"

#include <algorithm>

#include "gui/IContainer.h"
#include "gui/layout/ChildFreeze.h"
#include "gui/layout/LayoutMath.h"

namespace s::gui::layout {

namespace {

// Widths are settled first with height 0, which gives every child its
// minimum height until the heights are known.
constexpr int32_t kMinimumForNow = 0;

int32_t prefOf(const IComponent& child) { return std::max(child.minWidth(), child.preferredWidth()); }

}  // namespace

ContentSizes Row::arrange(IContainer& box, const ArrangeSettings& settings)
{
    // Pass 1: freeze, so each native window moves once, at the end.
    ChildFreeze frozen(box);

    // Pass 2: what the children need along the row.
    const Measure sums = measure(box, settings.hSpacing);

    // Pass 3: widths, and the room left for alignment.
    const int32_t extra = sizeWidths(box, sums);

    // Pass 4: one height for the row, each child clamped into its limits.
    int32_t maxMinH = 0;
    int32_t maxPrefH = 0;
    for (int32_t i = 0; i < box.childCount(); ++i) {
        const IComponent* child = box.child(i);
        maxMinH = std::max(maxMinH, child->minHeight());
        maxPrefH = std::max(maxPrefH, std::max(child->minHeight(), child->preferredHeight()));
    }
    const int32_t rowHeight = std::max(box.innerHeight(), maxMinH);
    for (int32_t i = 0; i < box.childCount(); ++i) {
        IComponent* child = box.child(i);
        child->setLayoutSize(child->width(), std::max(rowHeight, child->minHeight()));
    }

    // Pass 5: positions.
    place(box, settings, extra, rowHeight);

    // The children's native windows take their places when `frozen` ends.
    return {sums.sumMin, maxMinH, sums.sumPref, maxPrefH};
}

Row::Measure Row::measure(const IContainer& box, int32_t spacing)
{
    SpacedSum sumMin(spacing);
    SpacedSum sumPref(spacing);
    for (int32_t i = 0; i < box.childCount(); ++i) {
        const IComponent* child = box.child(i);
        sumMin.add(child->minWidth());
        sumPref.add(prefOf(*child));
    }
    return {sumMin.total(), sumPref.total()};
}

int32_t Row::sizeWidths(IContainer& box, const Measure& sums)
{
    const int32_t avail = std::max(box.innerWidth(), sums.sumMin);
    int32_t extra = avail - sums.sumMin;
    const bool wantsMore = extra > 0 && sums.sumPref > sums.sumMin;

    if (wantsMore && avail >= sums.sumPref) {
        // Room for everyone's preferred width; the rest is for alignment.
        for (int32_t i = 0; i < box.childCount(); ++i) {
            IComponent* child = box.child(i);
            child->setLayoutSize(prefOf(*child), kMinimumForNow);
        }
        return avail - sums.sumPref;
    }
    if (wantsMore)
        return shareWidths(box, sums, extra);
    // Nothing to share (or too narrow even for the minima: the row overflows).
    for (int32_t i = 0; i < box.childCount(); ++i) {
        IComponent* child = box.child(i);
        child->setLayoutSize(child->minWidth(), kMinimumForNow);
    }
    return extra;
}

int32_t Row::shareWidths(IContainer& box, const Measure& sums, int32_t extra)
{
    // Each child grows from its minimum by the same fraction of what it
    // wants; the truncated shares leave a few pixels over.
    const float ratio = LayoutMath::ratio(extra, sums.sumPref - sums.sumMin);
    for (int32_t i = 0; i < box.childCount(); ++i) {
        IComponent* child = box.child(i);
        const int32_t minW = child->minWidth();
        const int32_t prefW = child->preferredWidth();
        if (prefW <= minW) {
            child->setLayoutSize(minW, kMinimumForNow);
            continue;
        }
        child->setLayoutSize(minW + LayoutMath::share(prefW - minW, ratio), kMinimumForNow);
        extra -= child->width() - minW;
    }
    return extra != 0 ? giveRemainder(box, extra) : 0;
}

int32_t Row::giveRemainder(IContainer& box, int32_t extra)
{
    // The pixels the truncation left go to the first children that still
    // want more, in order.
    for (int32_t i = 0; i < box.childCount() && extra != 0; ++i) {
        IComponent* child = box.child(i);
        const int32_t prefW = child->preferredWidth();
        const int32_t before = child->width();
        if (before >= prefW)
            continue;
        child->setLayoutSize(std::min(prefW, before + extra), kMinimumForNow);
        extra -= child->width() - before;
    }
    return extra;
}

void Row::place(IContainer& box, const ArrangeSettings& settings, int32_t extra, int32_t rowHeight)
{
    int32_t x = LayoutMath::alignStart(extra, settings.hAlign);
    for (int32_t i = 0; i < box.childCount(); ++i) {
        IComponent* child = box.child(i);
        if (i > 0 && box.child(i - 1)->width() >= 1)
            x += settings.hSpacing;
        child->setPosition(x, LayoutMath::alignWithin(rowHeight, child->height(), settings.vAlign));
        x += child->width();
    }
}

}  // namespace s::gui::layout
