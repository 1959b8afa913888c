#include "gui/layout/Pile.h"

#include <algorithm>

#include "gui/IContainer.h"
#include "gui/layout/ChildFreeze.h"
#include "gui/layout/LayoutMath.h"

namespace s::gui::layout {

namespace {

constexpr int32_t kMinimumForNow = 0;

}  // namespace

Pile& Pile::shared()
{
    static Pile instance;
    return instance;
}

ContentSizes Pile::arrange(IContainer& box, const ArrangeSettings& settings)
{
    // Pass 1: freeze, so each native window moves once, at the end.
    ChildFreeze frozen(box);
    ContentSizes sizes;

    // Pass 2: the pile's width, from the shown children only.
    for (int32_t i = 0; i < box.childCount(); ++i) {
        const IComponent* child = box.child(i);
        if (!child->isVisible())
            continue;
        sizes.minWidth = std::max(sizes.minWidth, child->minWidth());
        sizes.prefWidth = std::max(sizes.prefWidth, std::max(child->minWidth(), child->preferredWidth()));
    }
    const int32_t pileWidth = std::max(box.innerWidth(), sizes.minWidth);

    // Pass 3: each shown child at that width; then the pile's height.
    for (int32_t i = 0; i < box.childCount(); ++i) {
        IComponent* child = box.child(i);
        if (child->isVisible())
            child->setLayoutSize(pileWidth, kMinimumForNow);
    }
    for (int32_t i = 0; i < box.childCount(); ++i) {
        const IComponent* child = box.child(i);
        if (!child->isVisible())
            continue;
        sizes.minHeight = std::max(sizes.minHeight, child->minHeight());
        sizes.prefHeight = std::max(sizes.prefHeight, std::max(child->minHeight(), child->preferredHeight()));
    }
    const int32_t pileHeight = std::max(box.innerHeight(), sizes.minHeight);

    // Pass 4: each child up to its preferred height (a page with a height
    // percentage of 100 so fills the pile).
    for (int32_t i = 0; i < box.childCount(); ++i) {
        IComponent* child = box.child(i);
        if (child->isVisible() && child->height() < child->preferredHeight())
            child->setLayoutSize(child->width(), std::max(pileHeight, child->preferredHeight()));
    }

    // Pass 5: everyone at the same origin, aligned within the pile.
    for (int32_t i = 0; i < box.childCount(); ++i) {
        IComponent* child = box.child(i);
        if (!child->isVisible())
            continue;
        child->setPosition(LayoutMath::alignWithin(pileWidth, child->width(), settings.hAlign),
                           LayoutMath::alignWithin(pileHeight, child->height(), settings.vAlign));
    }
    return sizes;
}

}  // namespace s::gui::layout
