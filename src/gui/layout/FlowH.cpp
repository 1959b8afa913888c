#include "gui/layout/FlowH.h"

#include <algorithm>

#include "gui/IContainer.h"
#include "gui/layout/ChildFreeze.h"
#include "gui/layout/LayoutMath.h"

namespace s::gui::layout {

namespace {

constexpr int32_t kMinimumForNow = 0;

bool counts(const IComponent& child) { return child.isVisible() && child.width() >= 1; }

}  // namespace

FlowH& FlowH::shared()
{
    static FlowH instance;
    return instance;
}

ContentSizes FlowH::arrange(IContainer& box, const ArrangeSettings& settings)
{
    // Pass 1: freeze, so each native window moves once, at the end.
    ChildFreeze frozen(box);

    // Pass 2: the widest child bounds the line; all on one line is preferred.
    int32_t maxMinW = 0;
    for (int32_t i = 0; i < box.childCount(); ++i)
        maxMinW = std::max(maxMinW, box.child(i)->minWidth());
    const int32_t prefLine = preferredLine(box, settings.hSpacing);
    const int32_t lineWidth = std::max(box.innerWidth(), maxMinW);

    // Pass 3: break into lines at the children's preferred widths.
    Lines lines;
    const Totals totals = breakLines(box, lineWidth, settings.hSpacing, settings.vSpacing, lines);

    // Pass 4: grow the lines into the free height.
    int32_t extra = std::max(box.innerHeight(), totals.min) - totals.min;
    if (extra > 0 && totals.min < totals.pref)
        extra = growHeights(box, lines, lineWidth, totals, extra);

    // Pass 5: positions, line by line.
    place(box, lines, settings, extra);

    return {maxMinW, totals.min, prefLine, totals.pref};
}

int32_t FlowH::preferredLine(const IContainer& box, int32_t spacing)
{
    int32_t sum = 0;
    bool earlier = false;
    for (int32_t i = 0; i < box.childCount(); ++i) {
        const IComponent* child = box.child(i);
        sum += std::max(child->minWidth(), child->preferredWidth());
        const bool spaced = child->isVisible() && child->minWidth() > 0;
        if (spaced && earlier)
            sum += spacing;
        earlier = earlier || spaced;
    }
    return sum;
}

FlowH::Totals FlowH::breakLines(IContainer& box, int32_t lineWidth, int32_t spacing, int32_t vSpacing, Lines& lines)
{
    Totals totals;
    Line line{0, 0, lineWidth};
    int32_t lineMin = 0;
    int32_t linePref = 0;
    bool lineCounts = false;

    // A closed line adds its height to the totals, after a vertical spacing
    // when an earlier line is there.
    auto closeLine = [&](int32_t end) {
        const bool earlierLine = totals.min != 0;
        totals.pref += linePref + (earlierLine ? vSpacing : 0);
        totals.min += lineMin + (earlierLine ? vSpacing : 0);
        line.end = end;
        lines.push_back(line);
    };

    for (int32_t i = 0; i < box.childCount(); ++i) {
        IComponent* child = box.child(i);
        child->setLayoutSize(lineWidth, kMinimumForNow);
        const int32_t w = child->width();
        const int32_t h = child->height();
        const int32_t prefH = std::max(h, child->preferredHeight());
        const bool childCounts = counts(*child);
        const int32_t gap = (lineCounts && childCounts) ? spacing : 0;
        if (i > line.first && line.free - gap - w < 0) {
            closeLine(i);
            line = Line{i, i, lineWidth - w};
            lineMin = h;
            linePref = prefH;
            lineCounts = childCounts;
            continue;
        }
        line.free -= gap + w;
        lineMin = std::max(lineMin, h);
        linePref = std::max(linePref, prefH);
        lineCounts = lineCounts || childCounts;
    }
    if (box.childCount() > 0)
        closeLine(box.childCount());
    return totals;
}

int32_t FlowH::growHeights(IContainer& box, const Lines& lines, int32_t lineWidth, const Totals& totals, int32_t extra)
{
    const float ratio = LayoutMath::ratio(extra, totals.pref - totals.min);
    for (const Line& line : lines) {
        const int32_t before = lineHeight(box, line);
        for (int32_t i = line.first; i < line.end; ++i) {
            IComponent* child = box.child(i);
            const int32_t h = child->height();
            const int32_t prefH = child->preferredHeight();
            if (h < prefH)
                child->setLayoutSize(lineWidth, h + LayoutMath::share(prefH - h, ratio));
        }
        extra -= lineHeight(box, line) - before;
    }
    return extra;
}

int32_t FlowH::lineHeight(const IContainer& box, const Line& line)
{
    int32_t height = 0;
    for (int32_t i = line.first; i < line.end; ++i)
        height = std::max(height, box.child(i)->height());
    return height;
}

void FlowH::place(IContainer& box, const Lines& lines, const ArrangeSettings& settings, int32_t extra)
{
    int32_t y = LayoutMath::alignStart(extra, settings.vAlign);
    for (const Line& line : lines) {
        int32_t x = LayoutMath::alignStart(line.free, settings.hAlign);
        bool lineCounts = false;
        for (int32_t i = line.first; i < line.end; ++i) {
            IComponent* child = box.child(i);
            const bool childCounts = counts(*child);
            if (lineCounts && childCounts)
                x += settings.hSpacing;
            child->setPosition(x, y);
            x += child->width();
            lineCounts = lineCounts || childCounts;
        }
        y += settings.vSpacing + lineHeight(box, line);
    }
}

}  // namespace s::gui::layout
