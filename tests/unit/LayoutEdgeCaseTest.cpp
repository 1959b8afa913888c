// Edge cases of the containers and arrangements, one table each: what a
// child is given, what a hidden or collapsed child takes, spacers, nested
// passes, the proportional share in single precision, and the main area's
// two arrangements.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "FakeNativeViews.h"
#include "gui/ILayoutManager.h"
#include "gui/LayoutTypes.h"
#include "gui/win/Box.h"
#include "gui/win/Control.h"
#include "gui/win/GroupBox.h"
#include "gui/win/Spacer.h"
#include "gui/win/Window.h"
#include "thread/Pooled.h"

using s::gui::IContainer;
using s::gui::kLayoutColumn;
using s::gui::kLayoutPile;
using s::gui::kLayoutRow;
using s::gui::win::Box;
using s::gui::win::Control;
using s::gui::win::GroupBox;
using s::gui::win::Spacer;
using s::gui::win::Window;
using s::thread::Pooled;

namespace {

class EdgeControl : public Control, public s::thread::PooledBy<EdgeControl> {
public:
    const char16_t* className() const override { return u"EdgeControl"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override { resetComponent(); }

    static EdgeControl* make(int32_t minW, int32_t minH, int32_t prefW, int32_t prefH)
    {
        EdgeControl* control = take();
        control->setNaturalMinSize(minW, minH);
        control->setNaturalPreferredSize(prefW, prefH);
        return control;
    }
};

// A window whose client area is w x h (the fake frame is 16 x 39).
Window* makeWindow(int32_t clientW, int32_t clientH)
{
    Window* window = Window::take();
    window->attachNative(new fake_views::FakeNativeWindow(*window));
    window->setSize(clientW + fake_views::FakeNativeWindow::kFrameWidth,
                    clientH + fake_views::FakeNativeWindow::kFrameHeight);
    return window;
}

// Lays a row or column of the given inner length out along its axis and
// returns the children's lengths and places along it.
struct Line {
    std::vector<int32_t> lengths;
    std::vector<int32_t> places;
};

Line layOutLine(int32_t layoutType, int32_t inner, int32_t spacing, int32_t align,
                const std::vector<std::array<int32_t, 2>>& minPref, int32_t hiddenIndex = -1,
                int32_t collapsedIndex = -1)
{
    Pooled<Window> window(makeWindow(inner, inner));
    Box* box = Box::makeBox(100, 100, align, align, spacing, spacing, 0, 0, layoutType);
    std::vector<EdgeControl*> children;
    for (const auto& limits : minPref) {
        EdgeControl* child = layoutType == kLayoutRow ? EdgeControl::make(limits[0], 10, limits[1], 10)
                                                      : EdgeControl::make(10, limits[0], 10, limits[1]);
        children.push_back(child);
        box->addChild(child);
    }
    if (collapsedIndex >= 0) {
        if (layoutType == kLayoutRow)
            children[collapsedIndex]->setFixedWidth(0);
        else
            children[collapsedIndex]->setFixedHeight(0);
    }
    window->addChild(box);
    if (hiddenIndex >= 0)
        children[hiddenIndex]->setVisible(false, false);
    box->relayout();
    Line line;
    for (EdgeControl* child : children) {
        line.lengths.push_back(layoutType == kLayoutRow ? child->width() : child->height());
        line.places.push_back(layoutType == kLayoutRow ? child->x() : child->y());
    }
    return line;
}

TEST(LayoutEdgeLine, RowsAndColumnsShareAlikeAlongTheirAxis)
{
    struct Case {
        const char* name;
        int32_t inner, spacing, align;
        std::vector<std::array<int32_t, 2>> minPref;
        int32_t hidden, collapsed;
        std::vector<int32_t> lengths, places;
    } cases[] = {
        {"ratio 90/110 in single precision, the pixel left goes to the first", 150, 10, 0,
         {{20, 100}, {30, 60}, {0, 0}}, -1, 2, {86, 54, 0}, {0, 96, 160}},
        {"all preferences fit: 130 left, right", 300, 10, 2, {{20, 100}, {30, 60}, {0, 0}}, -1, 2, {100, 60, 0},
         {130, 240, 310}},
        {"all preferences fit: 65 before, centred", 300, 10, 1, {{20, 100}, {30, 60}, {0, 0}}, -1, 2, {100, 60, 0},
         {65, 175, 245}},
        {"narrower than the minima: minima, overflowing", 40, 10, 0, {{20, 100}, {30, 60}}, -1, -1, {20, 30},
         {0, 30}},
        {"preferred below minimum: the minimum", 100, 0, 0, {{40, 10}, {20, 30}}, -1, -1, {40, 30}, {0, 40}},
        {"never more than preferred: the rest is left", 100, 0, 0, {{20, 30}}, -1, -1, {30}, {0}},
        // 26 over 44 is 0.59090906 as a float: 22 x ratio truncates to 12
        // (13 in double precision), so the remainder pass gives A two.
        {"single precision share 26/44", 46, 0, 0, {{10, 32}, {10, 32}}, -1, -1, {24, 22}, {0, 24}},
        {"single precision share 14/46", 34, 0, 0, {{10, 33}, {10, 33}}, -1, -1, {18, 16}, {0, 18}},
        {"a hidden child keeps its room", 200, 5, 0, {{40, 40}, {40, 40}, {40, 40}}, 1, -1, {40, 40, 40},
         {0, 45, 90}},
        {"a collapsed child takes no room and no spacing", 200, 5, 0, {{40, 40}, {40, 40}, {40, 40}}, -1, 1,
         {40, 0, 40}, {0, 45, 45}},
    };
    for (int32_t layoutType : {kLayoutRow, kLayoutColumn}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(layoutType == kLayoutRow ? "row: " : "column: ") + c.name);
            const Line line = layOutLine(layoutType, c.inner, c.spacing, c.align, c.minPref, c.hidden, c.collapsed);
            EXPECT_EQ(c.lengths, line.lengths);
            EXPECT_EQ(c.places, line.places);
        }
    }
}

TEST(LayoutEdgeLine, FullWidthControlTakesWhatTheOthersLeave)
{
    struct Case {
        int32_t inner;
        int32_t labelWidth, comboWidth, comboX;
    } cases[] = {
        {200, 50, 150, 50},
        {100, 50, 50, 50},
        {60, 50, 10, 50},
        {40, 50, 10, 50},  // below the minima: both at their minimum
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inner);
        Pooled<Window> window(makeWindow(c.inner, 50));
        Box* row = Box::makeBox(100, -1, 0, 0, 0, 0, 0, 0, kLayoutRow);
        EdgeControl* label = EdgeControl::make(50, 10, 50, 10);
        EdgeControl* combo = EdgeControl::make(10, 10, 10, 10);
        combo->setWidthPercent(100);
        row->addChild(label);
        row->addChild(combo);
        window->addChild(row);
        row->relayout();
        EXPECT_EQ(c.labelWidth, label->width());
        EXPECT_EQ(c.comboWidth, combo->width());
        EXPECT_EQ(c.comboX, combo->x());
    }
}

TEST(LayoutEdgeSpacer, MeasuresAlongItsOwnAxisOnly)
{
    enum Parent { kRow, kColumn, kGroup, kWindow, kNone };
    struct Case {
        const char* name;
        Parent parent;
        bool vertical;
        int32_t fixedHeight;  // -1: as new
        int32_t minW, minH;
    } cases[] = {
        {"a new spacer is 1 x 1", kNone, false, -1, 1, 1},
        {"vertical, 5 high, in a column", kColumn, true, 5, 1, 5},
        {"vertical, 5 high, in a row: no width", kRow, true, 5, 0, 5},
        {"horizontal in a column: no height", kColumn, false, -1, 1, 0},
        {"horizontal in a row: as it is", kRow, false, -1, 1, 1},
        {"vertical under a group box: as it is", kGroup, true, 5, 1, 5},
        {"vertical under a window: as it is", kWindow, true, 3, 1, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pooled<Window> window(makeWindow(300, 300));
        Spacer* spacer = Spacer::take();
        if (c.vertical)
            spacer->setVerticalOrientation();
        if (c.fixedHeight >= 0)
            spacer->setFixedHeight(c.fixedHeight);
        Pooled<Spacer> loose;
        switch (c.parent) {
        case kRow:
        case kColumn: {
            Box* box = Box::makeBox(-1, -1, 0, 0, 0, 0, 0, 0, c.parent == kRow ? kLayoutRow : kLayoutColumn);
            box->addChild(spacer);
            window->addChild(box);
            break;
        }
        case kGroup: {
            GroupBox* group = GroupBox::take();
            group->addChild(spacer);
            window->addChild(group);
            break;
        }
        case kWindow:
            window->addChild(spacer);
            break;
        case kNone:
            loose.hold(spacer);
            break;
        }
        EXPECT_EQ(c.minW, spacer->minWidth());
        EXPECT_EQ(c.minH, spacer->minHeight());
        EXPECT_EQ(c.minW, spacer->preferredWidth());
        EXPECT_EQ(c.minH, spacer->preferredHeight());
    }
}

TEST(LayoutEdgeSpacer, ColumnCountsTheSpacerAndTheSpacingAroundIt)
{
    struct Case {
        int32_t spacerHeight, spacing, contentMinHeight;
    } cases[] = {
        {5, 0, 25}, {5, 2, 29}, {0, 2, 22},  // a 0-high spacer takes no spacing either
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.contentMinHeight);
        Pooled<Window> window(makeWindow(100, 100));
        Box* column = Box::makeBox(-1, -1, 0, 0, 0, c.spacing, 0, 0, kLayoutColumn);
        column->addChild(EdgeControl::make(10, 10, 10, 10));
        Spacer* spacer = Spacer::take();
        spacer->setVerticalOrientation();
        spacer->setFixedHeight(c.spacerHeight);
        column->addChild(spacer);
        column->addChild(EdgeControl::make(10, 10, 10, 10));
        window->addChild(column);
        column->relayout();
        EXPECT_EQ(c.contentMinHeight, column->contentSizes().minHeight);
    }
}

// Starts the box's pass again from inside itself, up to `times` times.
class ReenteringManager : public s::gui::ILayoutManager {
public:
    explicit ReenteringManager(int times) : m_times(times) {}
    const char16_t* className() const override { return u"ReenteringManager"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void layout(IContainer& container) override
    {
        ++runs;
        if (m_times-- > 0)
            container.doLayout();
    }
    int runs = 0;

private:
    int m_times;
};

TEST(LayoutEdgePass, OneNestedPassRunsAndAThirdIsSkipped)
{
    struct Case {
        int reentries, runs;
    } cases[] = {{0, 1}, {1, 2}, {2, 2}, {10, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reentries);
        Pooled<Box> box(Box::take());
        ReenteringManager manager(c.reentries);
        box->setLayoutManager(&manager);
        box->addChild(EdgeControl::make(10, 10, 10, 10));
        box->doLayout();
        EXPECT_EQ(c.runs, manager.runs);
        EXPECT_EQ(0, box->layoutDepth());
        box->setLayoutManager(nullptr);
    }
}

TEST(LayoutEdgePile, OnlyTheShownPageMeasuresAndTakesRoom)
{
    struct Case {
        int32_t shown;
        int32_t minW, minH;
    } cases[] = {{0, 80, 30}, {1, 120, 50}, {0, 80, 30}};
    Pooled<Window> window(makeWindow(300, 300));
    Box* pile = Box::makeBox(-1, -1, 0, 0, 0, 0, 0, 0, kLayoutPile);
    Box* pages[2] = {Box::take(), Box::take()};
    pages[0]->addChild(EdgeControl::make(80, 30, 80, 30));
    pages[1]->addChild(EdgeControl::make(120, 50, 120, 50));
    pile->addChild(pages[0]);
    pile->addChild(pages[1]);
    window->addChild(pile);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        pages[1 - c.shown]->setVisible(false, true);
        pages[c.shown]->setVisible(true, true);
        pile->relayout();
        EXPECT_EQ(c.minW, pile->contentSizes().minWidth);
        EXPECT_EQ(c.minH, pile->contentSizes().minHeight);
        EXPECT_EQ(0, pages[c.shown]->x());
        EXPECT_EQ(s::gui::kHiddenX, pages[1 - c.shown]->x());
        EXPECT_EQ(s::gui::kHiddenY, pages[1 - c.shown]->y());
    }
}

TEST(LayoutEdgeMainArea, ColumnInTheCompactViewRowInTheAdvanced)
{
    struct Case {
        bool advanced;
        int32_t clientW, clientH;
        int32_t leftWidth, rightX, rightWidth;
    } cases[] = {
        {false, 234, 211, 218, 0, 218},
        // 418 inside the margins: the left column keeps its floor of 125,
        // the right one (100 percent) takes the rest after the spacing of 10.
        {true, 434, 261, 125, 135, 283},
        {false, 234, 211, 218, 0, 218},
        {true, 600, 261, 125, 135, 449},
    };
    Pooled<Window> window(makeWindow(234, 211));
    Box* mainArea = Box::makeBox(100, 100, 0, 0, 10, 7, 8, 0, kLayoutColumn);
    Box* leftColumn = Box::makeBox(100, 100, 2, 0, 0, 0, 0, 0, kLayoutColumn);
    Box* rightColumn = Box::makeBox(100, -1, 0, 1, 0, 4, 0, 0, kLayoutColumn);
    leftColumn->addChild(EdgeControl::make(60, 20, 100, 20));
    rightColumn->addChild(EdgeControl::make(80, 24, 120, 24));
    mainArea->addChild(leftColumn);
    mainArea->addChild(rightColumn);
    window->addChild(mainArea);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clientW);
        if (c.advanced) {
            mainArea->setHorizontal();
            leftColumn->setWidthPercent(s::gui::kUnset, false);
            leftColumn->setMinimumWidth(125);
            leftColumn->alignCenter();
            rightColumn->setHeightPercent(100, false);
        } else {
            mainArea->setVertical();
            leftColumn->setWidthPercent(100, false);
            leftColumn->setMinimumWidth(s::gui::kUnset);
            leftColumn->alignRight();
            rightColumn->setHeightPercent(s::gui::kUnset, false);
        }
        window->setSize(c.clientW + fake_views::FakeNativeWindow::kFrameWidth,
                        c.clientH + fake_views::FakeNativeWindow::kFrameHeight);
        window->relayout();
        EXPECT_EQ(c.leftWidth, leftColumn->width());
        EXPECT_EQ(c.rightX, rightColumn->x());
        EXPECT_EQ(c.rightWidth, rightColumn->width());
        if (c.advanced) {
            EXPECT_EQ(0, rightColumn->y());
        } else {
            EXPECT_GT(rightColumn->y(), leftColumn->y());
        }
    }
}

}  // namespace
