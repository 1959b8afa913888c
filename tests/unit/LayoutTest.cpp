#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/INativeWindow.h"
#include "gui/LayoutTypes.h"
#include "gui/events/EventTypes.h"
#include "gui/events/IEventListener.h"
#include "gui/layout/FlowH.h"
#include "gui/layout/Vertical.h"
#include "gui/win/Box.h"
#include "gui/win/Control.h"
#include "gui/win/GroupBox.h"
#include "gui/win/Spacer.h"
#include "gui/win/Window.h"
#include "thread/Pooled.h"

using s::gui::IComponent;
using s::gui::IContainer;
using s::gui::INativeView;
using s::gui::INativeWindow;
using s::gui::NativeKind;
using s::gui::TextExtent;
using s::gui::win::Box;
using s::gui::win::Control;
using s::gui::win::GroupBox;
using s::gui::win::Spacer;
using s::gui::win::Window;
using s::thread::Pooled;

namespace {

// Records what the layout asks of a native window.
class FakeView : public INativeView {
public:
    INativeView* createChild(IComponent&, NativeKind) override { return new FakeView(); }
    void destroy() override { delete this; }
    void move(int32_t x, int32_t y) override
    {
        ++moves;
        bx = x;
        by = y;
    }
    void resize(int32_t w, int32_t h) override
    {
        ++resizes;
        bw = w;
        bh = h;
    }
    void setBounds(int32_t x, int32_t y, int32_t w, int32_t h) override
    {
        ++boundsCalls;
        bx = x;
        by = y;
        bw = w;
        bh = h;
    }
    void show(bool visible) override { shown = visible; }
    bool isEnabled() const override { return enabled; }
    void setEnabled(bool flag) override { enabled = flag; }
    void redrawArea(int32_t, int32_t, int32_t, int32_t) override {}
    void redraw() override { ++redraws; }
    void setText(std::u16string_view value) override { text.assign(value); }
    // Every character 7 pixels wide, lines 13 high.
    TextExtent measureText(std::u16string_view value) const override
    {
        return {static_cast<int32_t>(value.size()) * 7, 13};
    }
    int32_t nativeCalls() const { return moves + resizes + boundsCalls; }
    void clearCounts() { moves = resizes = boundsCalls = redraws = 0; }

    int32_t moves = 0, resizes = 0, boundsCalls = 0, redraws = 0;
    int32_t bx = 0, by = 0, bw = 0, bh = 0;
    bool shown = false;
    bool enabled = true;
    std::u16string text;
};

// A top-level window with a frame; resizing reports back as the window
// system's size message does.
class FakeWindow : public INativeWindow {
public:
    FakeWindow(Window* owner, int32_t frameW, int32_t frameH) : m_owner(owner), m_frameW(frameW), m_frameH(frameH) {}
    INativeView* createChild(IComponent&, NativeKind) override { return new FakeView(); }
    void destroy() override { delete this; }
    void move(int32_t, int32_t) override {}
    void resize(int32_t w, int32_t h) override { m_owner->onNativeSize(w, h, Window::SizeState::kRestored); }
    void setBounds(int32_t, int32_t, int32_t w, int32_t h) override { resize(w, h); }
    void show(bool) override {}
    bool isEnabled() const override { return true; }
    void setEnabled(bool) override {}
    void redrawArea(int32_t, int32_t, int32_t, int32_t) override {}
    void redraw() override {}
    void setText(std::u16string_view) override {}
    TextExtent measureText(std::u16string_view) const override { return {}; }
    int32_t frameWidth() const override { return m_frameW; }
    int32_t frameHeight() const override { return m_frameH; }
    bool isMinimized() const override { return false; }
    void requestClose() override {}
    void sendUserEvent(std::u16string_view, int32_t, int32_t, std::u16string_view) override {}

private:
    Window* m_owner;
    int32_t m_frameW;
    int32_t m_frameH;
};

class TestControl : public Control, public s::thread::PooledBy<TestControl> {
public:
    const char16_t* className() const override { return u"TestControl"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override { resetComponent(); }

    static TestControl* make(int32_t minW, int32_t minH, int32_t prefW, int32_t prefH)
    {
        TestControl* control = take();
        control->setNaturalMinSize(minW, minH);
        control->setNaturalPreferredSize(prefW, prefH);
        return control;
    }
    FakeView* fake() const { return static_cast<FakeView*>(nativeView()); }
};

// A window with a frame of 16 x 39, sized and shown.
Window* makeWindow(int32_t w, int32_t h)
{
    Window* window = Window::take();
    window->attachNative(new FakeWindow(window, 16, 39));
    window->setSize(w, h);
    return window;
}

Box* makeRowWithABC(int32_t innerWidth, int32_t hAlign, TestControl** a, TestControl** b, TestControl** c)
{
    Box* row = Box::take();
    row->setHorizontal();
    row->setHSpacing(10);
    row->setSize(innerWidth, 40);
    *a = TestControl::make(20, 10, 100, 10);
    *b = TestControl::make(30, 10, 60, 10);
    *c = TestControl::make(0, 10, 0, 10);
    (*c)->setFixedWidth(0);
    row->addChild(*a);
    row->addChild(*b);
    row->addChild(*c);
    if (hAlign == s::gui::kAlignCenter)
        row->alignCenter();
    if (hAlign == s::gui::kAlignRight)
        row->alignRight();
    row->doLayout();
    return row;
}

TEST(LayoutSizes, PercentagesRoundForBoxesAndTruncateForControlsAndGroupBoxes)
{
    enum Kind { kBox, kControl, kGroup };
    struct Case {
        const char* name;
        Kind kind;
        int32_t parentInner;
        int32_t percent;
        int32_t expected;
    } cases[] = {
        {"box 50% of 75 rounds 37.5 up", kBox, 75, 50, 38},
        {"control 50% of 75 truncates", kControl, 75, 50, 37},
        {"group box 50% of 75 truncates", kGroup, 75, 50, 37},
        {"box 10% of 74 rounds 7.4 down", kBox, 74, 10, 7},
        {"box 100% is the whole inner width", kBox, 234, 100, 234},
        {"control 0% prefers nothing", kControl, 75, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pooled<Box> parent(Box::take());
        parent->setMarginsLeftRight(5);  // the percentage is of the inner width
        parent->setSize(c.parentInner + 10, 50);
        IComponent* child = nullptr;
        if (c.kind == kBox) {
            Box* box = Box::take();
            box->setWidthPercent(c.percent, false);
            child = box;
        } else if (c.kind == kControl) {
            TestControl* control = TestControl::make(0, 0, 500, 0);
            control->setWidthPercent(c.percent);
            child = control;
        } else {
            GroupBox* group = GroupBox::take();
            group->setWidthPercent(c.percent, false);
            child = group;
        }
        parent->addChild(child);
        EXPECT_EQ(c.expected, child->preferredWidth());
    }
}

TEST(LayoutSizes, SetLayoutSizeClampsIntoMinimumAndPreferred)
{
    struct Case {
        int32_t asked, minimum, preferred, expected;
    } cases[] = {
        {0, 10, 30, 10},   // below the minimum
        {20, 10, 30, 20},  // in between
        {50, 10, 30, 30},  // never more than preferred
        {20, 40, 30, 40},  // preferred below minimum: the minimum
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked);
        Pooled<TestControl> control(TestControl::make(c.minimum, c.minimum, c.preferred, c.preferred));
        control->setLayoutSize(c.asked, c.asked);
        EXPECT_EQ(c.expected, control->width());
        EXPECT_EQ(c.expected, control->height());
    }
}

TEST(LayoutSizes, BoxLimitsFromCollapseFixedSizeAndMinimumWidth)
{
    Pooled<Box> box(Box::take());
    box->setMarginsLeftRight(8);
    box->addChild(TestControl::make(50, 20, 90, 20));
    box->doLayout();
    EXPECT_EQ(66, box->minWidth());
    EXPECT_EQ(106, box->preferredWidth());
    box->setMinimumWidth(125);
    EXPECT_EQ(125, box->minWidth());
    EXPECT_EQ(106, box->preferredWidth());  // the floor leaves the preference alone
    box->setCollapsedWidth(true);
    EXPECT_EQ(0, box->minWidth());
    box->setCollapsedWidth(false);
    box->setFixedWidth(0, false);
    EXPECT_EQ(0, box->minWidth());
    EXPECT_EQ(0, box->preferredWidth());
}

TEST(LayoutRow, SharesFreeRoomInProportionAndAligns)
{
    struct Case {
        const char* name;
        int32_t inner;
        int32_t hAlign;
        int32_t widthA, widthB, xA, xB, xC;
    } cases[] = {
        {"too narrow for preferences: shared, 1 pixel left to A", 150, s::gui::kAlignLeft, 86, 54, 0, 96, 160},
        {"shared leaves nothing to centre", 150, s::gui::kAlignCenter, 86, 54, 0, 96, 160},
        {"room to spare, left", 300, s::gui::kAlignLeft, 100, 60, 0, 110, 180},
        {"room to spare, centred by 65", 300, s::gui::kAlignCenter, 100, 60, 65, 175, 245},
        {"room to spare, right by 130", 300, s::gui::kAlignRight, 100, 60, 130, 240, 310},
        {"narrower than the minima: overflow", 40, s::gui::kAlignRight, 20, 30, 0, 30, 70},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestControl *a, *b, *cc;
        Pooled<Box> row(makeRowWithABC(c.inner, c.hAlign, &a, &b, &cc));
        EXPECT_EQ(c.widthA, a->width());
        EXPECT_EQ(c.widthB, b->width());
        EXPECT_EQ(0, cc->width());
        EXPECT_EQ(c.xA, a->x());
        EXPECT_EQ(c.xB, b->x());
        EXPECT_EQ(c.xC, cc->x());
        // The spacing before the collapsed C counts in neither sum.
        EXPECT_EQ(60, row->contentSizes().minWidth);
        EXPECT_EQ(170, row->contentSizes().prefWidth);
    }
}

TEST(LayoutRow, OverflowReportsTheNeedThroughTheMinimumWidth)
{
    TestControl *a, *b, *c;
    Pooled<Box> row(makeRowWithABC(40, s::gui::kAlignLeft, &a, &b, &c));
    row->setMarginsLeftRight(3);
    EXPECT_EQ(66, row->minWidth());
}

TEST(LayoutRow, ChildrenStayBetweenMinimumAndPreferredAndAlignVertically)
{
    Pooled<Box> row(Box::take());
    row->setHorizontal();
    row->alignRight();
    row->alignMiddle();
    row->setSize(100, 30);
    TestControl* small = TestControl::make(20, 10, 30, 10);
    row->addChild(small);
    row->doLayout();
    EXPECT_EQ(30, small->width());  // never more than preferred: the rest is for alignment
    EXPECT_EQ(70, small->x());
    EXPECT_EQ(10, small->height());
    EXPECT_EQ(10, small->y());      // (30 - 10) / 2
}

TEST(LayoutRow, FullWidthControlTakesWhatTheOthersLeave)
{
    Pooled<Box> row(Box::take());
    row->setHorizontal();
    row->setSize(200, 20);
    TestControl* label = TestControl::make(50, 10, 50, 10);
    TestControl* combo = TestControl::make(10, 10, 10, 10);
    combo->setWidthPercent(100);
    row->addChild(label);
    row->addChild(combo);
    row->doLayout();
    EXPECT_EQ(50, label->width());
    EXPECT_EQ(150, combo->width());
    EXPECT_EQ(50, combo->x());
}

TEST(LayoutSpacer, AddsOnlyAlongItsOwnAxis)
{
    Pooled<Spacer> fresh(Spacer::take());
    EXPECT_EQ(1, fresh->minWidth());
    EXPECT_EQ(1, fresh->minHeight());

    struct Case {
        const char* name;
        int32_t layoutType;
        int32_t contentMinWidth, contentMinHeight;
    } cases[] = {
        // 10 + 2 + 5 + 2 + 10 high; the spacer is 1 wide.
        {"vertical spacer in a column adds its height", s::gui::kLayoutColumn, 30, 29},
        // 30 + 2 + 30: the spacer measures 0 across and takes no spacing.
        {"vertical spacer in a row adds no width", s::gui::kLayoutRow, 62, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pooled<Box> box(Box::take());
        if (c.layoutType == s::gui::kLayoutRow)
            box->setHorizontal();
        box->setHSpacing(2);
        box->setVSpacing(2);
        Spacer* spacer = Spacer::take();
        spacer->setVerticalOrientation();
        spacer->setFixedHeight(5);
        box->addChild(TestControl::make(30, 10, 30, 10));
        box->addChild(spacer);
        box->addChild(TestControl::make(30, 10, 30, 10));
        box->doLayout();
        EXPECT_EQ(c.contentMinWidth, box->contentSizes().minWidth);
        EXPECT_EQ(c.contentMinHeight, box->contentSizes().minHeight);
    }
}

TEST(LayoutSpacer, OrientationCallsExchangeTheAxesEveryTime)
{
    Pooled<Spacer> spacer(Spacer::take());
    spacer->setFixedHeight(9);
    spacer->setVerticalOrientation();
    EXPECT_EQ(9, spacer->fixedWidth());
    EXPECT_EQ(1, spacer->fixedHeight());
    spacer->setVerticalOrientation();
    EXPECT_EQ(1, spacer->fixedWidth());
    EXPECT_EQ(9, spacer->fixedHeight());
    spacer->setWidthPercent(100);
    EXPECT_EQ(s::gui::kUnset, spacer->fixedWidth());
}

TEST(LayoutColumn, SharesHeightAndMeasuresNestedFlowAtTheColumnWidth)
{
    struct Case {
        int32_t width;
        int32_t flowHeight;
    } cases[] = {{100, 20}, {200, 10}};  // three 40-wide children: two lines, then one
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        Pooled<Box> column(Box::take());
        column->setSize(c.width, 300);
        Box* flow = Box::take();
        flow->setFlow();
        flow->setWidthPercent(100, false);
        for (int i = 0; i < 3; ++i)
            flow->addChild(TestControl::make(40, 10, 40, 10));
        column->addChild(flow);
        column->doLayout();
        EXPECT_EQ(c.width, flow->width());
        EXPECT_EQ(c.flowHeight, flow->height());
        // The first pass measured the flow before it had ever laid out; the
        // next one knows its minimum at this width.
        column->doLayout();
        EXPECT_EQ(c.flowHeight, column->contentSizes().minHeight);
    }
}

TEST(LayoutColumn, ProportionalHeightsWithRemainderAndBottomAlignment)
{
    Pooled<Box> column(Box::take());
    column->setSize(50, 45);
    column->setVSpacing(5);
    TestControl* a = TestControl::make(10, 10, 10, 40);
    TestControl* b = TestControl::make(10, 10, 10, 20);
    column->addChild(a);
    column->addChild(b);
    column->doLayout();
    // sumMin 25, sumPref 65, 20 to share over 40 wanted: a +15, b +5.
    EXPECT_EQ(25, a->height());
    EXPECT_EQ(15, b->height());
    EXPECT_EQ(30, b->y());

    column->setSize(50, 100);
    column->alignBottom();
    column->alignRight();
    column->doLayout();
    EXPECT_EQ(40, a->height());
    EXPECT_EQ(35, a->y());  // 100 - 65 left for alignment
    EXPECT_EQ(40, a->x());  // 50 - 10
}

TEST(LayoutFlow, WrapsWithSpacingOnlyBetweenCountingChildren)
{
    Pooled<Window> window(makeWindow(116, 239));  // client area 100 x 200
    Box* flow = Box::take();
    flow->setFlow();
    flow->fillParent();
    flow->setHSpacing(5);
    flow->setVSpacing(3);
    flow->alignCenter();
    TestControl* a = TestControl::make(40, 10, 40, 10);
    TestControl* hidden = TestControl::make(10, 10, 10, 10);
    TestControl* b = TestControl::make(40, 10, 40, 10);
    TestControl* c = TestControl::make(40, 12, 40, 12);
    flow->addChild(a);
    flow->addChild(hidden);
    flow->addChild(b);
    flow->addChild(c);
    window->addChild(flow);
    hidden->setVisible(false, false);
    window->relayout();
    // Line 1: a, hidden (no spacing of its own), one spacing, b: 95 of 100,
    // centred by 5 / 2.
    EXPECT_EQ(2, a->x());
    EXPECT_EQ(42, hidden->x());
    EXPECT_EQ(57, b->x());
    // Line 2: c alone, 60 free, 3 below line 1.
    EXPECT_EQ(30, c->x());
    EXPECT_EQ(13, c->y());
    EXPECT_EQ(25, flow->contentSizes().minHeight);
    EXPECT_EQ(40, flow->contentSizes().minWidth);
}

TEST(LayoutPile, OnlyTheShownPageCountsAndTakesRoom)
{
    Pooled<Window> window(makeWindow(216, 239));
    Box* pile = Box::take();
    pile->setPile();
    Box* first = Box::take();
    first->addChild(TestControl::make(80, 30, 80, 30));
    Box* second = Box::take();
    second->addChild(TestControl::make(120, 50, 120, 50));
    pile->addChild(first);
    pile->addChild(second);
    window->addChild(pile);

    second->setVisible(false, true);
    pile->relayout();
    EXPECT_EQ(80, pile->contentSizes().minWidth);
    EXPECT_EQ(30, pile->contentSizes().minHeight);
    EXPECT_EQ(s::gui::kHiddenX, second->x());
    EXPECT_EQ(s::gui::kHiddenY, second->y());

    first->setVisible(false, true);
    second->setVisible(true, true);
    pile->relayout();
    EXPECT_EQ(120, pile->contentSizes().minWidth);
    EXPECT_EQ(50, pile->contentSizes().minHeight);
    EXPECT_EQ(0, second->x());
}

TEST(LayoutRowColumn, HiddenChildKeepsItsRoom)
{
    Pooled<Window> window(makeWindow(316, 139));
    Box* row = Box::take();
    row->setHorizontal();
    row->fillParent();
    TestControl* a = TestControl::make(40, 10, 40, 10);
    TestControl* b = TestControl::make(40, 10, 40, 10);
    row->addChild(a);
    row->addChild(b);
    window->addChild(row);
    a->setVisible(false, false);
    row->relayout();
    EXPECT_EQ(40, a->width());
    EXPECT_EQ(40, b->x());
}

// Runs the box's pass again from inside itself, as a child's size change can.
class ReentrantManager : public s::gui::ILayoutManager {
public:
    const char16_t* className() const override { return u"ReentrantManager"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void layout(IContainer& container) override
    {
        ++runs;
        container.doLayout();
    }
    int runs = 0;
};

class Counter : public s::gui::events::IEventListener {
public:
    void onEvent(s::base::IObject*, int32_t type) override { types.push_back(type); }
    std::vector<int32_t> types;
};

TEST(LayoutPass, ThirdNestedPassIsSkipped)
{
    Pooled<Box> box(Box::take());
    ReentrantManager manager;
    Counter laidOut;
    box->setLayoutManager(&manager);
    box->addListener(s::gui::events::kBoxLaidOut, &laidOut);
    box->addChild(TestControl::make(10, 10, 10, 10));
    box->doLayout();
    EXPECT_EQ(2, manager.runs);
    EXPECT_EQ(2u, laidOut.types.size());
    EXPECT_EQ(0, box->layoutDepth());
    // A custom manager leaves the content sizes at 0.
    EXPECT_EQ(0, box->contentSizes().minWidth);
}

TEST(LayoutPass, EachNativeWindowMovesOncePerPass)
{
    Pooled<Window> window(makeWindow(316, 239));
    Box* row = Box::take();
    row->setHorizontal();
    row->fillParent();
    Box* inner = Box::take();
    TestControl* deep = TestControl::make(30, 10, 30, 10);
    inner->addChild(deep);
    TestControl* side = TestControl::make(30, 10, 60, 10);
    row->addChild(inner);
    row->addChild(side);
    window->addChild(row);
    side->fake()->clearCounts();
    deep->fake()->clearCounts();
    static_cast<FakeView*>(inner->nativeView())->clearCounts();

    row->relayout();
    EXPECT_EQ(1, side->fake()->nativeCalls());
    EXPECT_EQ(1, side->fake()->boundsCalls);
    EXPECT_EQ(1, static_cast<FakeView*>(inner->nativeView())->nativeCalls());
    EXPECT_LE(deep->fake()->nativeCalls(), 1);
    EXPECT_EQ(30, side->fake()->bx);  // after the inner box
    EXPECT_EQ(60, side->fake()->bw);
    EXPECT_FALSE(side->isFrozen());
}

TEST(LayoutPass, FrozenComponentOnlyRecords)
{
    Pooled<Window> window(makeWindow(316, 239));
    TestControl* control = TestControl::make(10, 10, 10, 10);
    window->addChild(control);
    control->fake()->clearCounts();
    control->freeze();
    control->setPosition(5, 6);
    control->setSize(7, 8);
    EXPECT_EQ(0, control->fake()->nativeCalls());
    EXPECT_TRUE(control->isBoundsPending());
    control->unfreeze();
    EXPECT_EQ(1, control->fake()->boundsCalls);
    EXPECT_EQ(5, control->fake()->bx);
    EXPECT_EQ(8, control->fake()->bh);
    EXPECT_FALSE(control->isBoundsPending());
}

TEST(LayoutBox, MarginsOffsetChildrenAndFollowLaterChanges)
{
    Pooled<Window> window(makeWindow(316, 239));
    Box* box = Box::take();
    box->setMarginsLeftRight(8);
    TestControl* control = TestControl::make(10, 10, 10, 10);
    box->addChild(control);
    window->addChild(box);
    EXPECT_EQ(8, control->offsetX());
    EXPECT_EQ(8, control->fake()->bx);
    // Margins taken away again must not leave the child displaced.
    box->setMarginsLeftRight(0);
    EXPECT_EQ(0, control->offsetX());
    EXPECT_EQ(0, control->fake()->bx);
}

TEST(LayoutBox, MakeBoxAppliesOnlyGivenValues)
{
    struct Case {
        int32_t hAlign, vAlign;
        int32_t expectedH, expectedV;
    } cases[] = {
        {-1, 0, s::gui::kAlignLeft, s::gui::kAlignTop},
        {1, 1, s::gui::kAlignCenter, s::gui::kAlignMiddle},
        {5, 2, s::gui::kAlignRight, s::gui::kAlignBottom},
    };
    for (const Case& c : cases) {
        Pooled<Box> box(Box::makeBox(100, -1, c.hAlign, c.vAlign, 10, 0, 8, 0, s::gui::kLayoutRow));
        EXPECT_EQ(c.expectedH, box->hAlign());
        EXPECT_EQ(c.expectedV, box->vAlign());
        EXPECT_EQ(100, box->widthPercent());
        EXPECT_EQ(s::gui::kUnset, box->heightPercent());
        EXPECT_EQ(10, box->hSpacing());
        EXPECT_EQ(8, box->marginRight());
        EXPECT_EQ(0, box->marginTop());
        EXPECT_EQ(s::gui::kLayoutRow, box->layoutType());
    }
}

TEST(LayoutGroupBox, TitleSetsInsetsAndOnlyGrows)
{
    Pooled<Window> window(makeWindow(316, 239));
    GroupBox* group = GroupBox::take();
    Box* content = Box::makeBox(100, 100, 0, 0, 0, 0, 0, 0, s::gui::kLayoutColumn);
    content->addChild(TestControl::make(30, 10, 30, 10));
    group->addChild(content);
    window->addChild(group);
    group->setTitle(u"Drop Box");  // 56 x 13
    EXPECT_EQ(56, group->titleWidth());
    EXPECT_EQ(14, group->marginTop());
    EXPECT_EQ(4, content->offsetX());
    EXPECT_EQ(14, content->offsetY());
    EXPECT_EQ(80, group->minWidth());  // title + 24 beats 4 + 30 + 4
    EXPECT_EQ(28, group->minHeight()); // 14 + 10 + 4
    group->setTitle(u"Box");
    EXPECT_EQ(56, group->titleWidth());
}

TEST(LayoutWindow, MinimumSizeAddsTheFrame)
{
    Pooled<Window> window(makeWindow(316, 239));
    EXPECT_EQ(0, window->minWidth());  // no children: no need
    window->addChild(TestControl::make(100, 20, 100, 20));
    window->addChild(TestControl::make(60, 30, 60, 30));
    EXPECT_EQ(116, window->minWidth());
    EXPECT_EQ(89, window->minHeight());
    window->setMinimumSize(200, 150);
    EXPECT_EQ(200, window->minWidth());
}

TEST(LayoutMainWindow, MainAreaSwitchesBetweenColumnAndRow)
{
    Pooled<Window> window(makeWindow(250, 250));
    Box* mainArea = Box::makeBox(100, 100, 0, 0, 10, 7, 8, 0, s::gui::kLayoutColumn);
    Box* leftColumn = Box::makeBox(100, 100, 2, 0, 0, 0, 0, 0, s::gui::kLayoutColumn);
    Box* rightColumn = Box::makeBox(100, -1, 0, 1, 0, 4, 0, 0, s::gui::kLayoutColumn);
    leftColumn->addChild(TestControl::make(60, 20, 100, 20));
    rightColumn->addChild(TestControl::make(80, 24, 120, 24));
    mainArea->addChild(leftColumn);
    mainArea->addChild(rightColumn);
    window->addChild(mainArea);

    // Compact: one above the other, both as wide as the area inside its margins.
    EXPECT_EQ(234 - 16, leftColumn->width());
    EXPECT_EQ(234 - 16, rightColumn->width());
    EXPECT_GT(rightColumn->y(), leftColumn->y());

    // Advanced: side by side; the left column keeps its floor of 125.
    mainArea->setHorizontal();
    leftColumn->setWidthPercent(s::gui::kUnset, false);
    leftColumn->setMinimumWidth(125);
    leftColumn->alignCenter();
    rightColumn->setHeightPercent(100, false);
    window->setSize(450, 300);
    // Inner 434 - 16 = 418: sumMin 125 + 10 + 80, the right column wants 418.
    EXPECT_EQ(125, leftColumn->width());
    EXPECT_EQ(135, rightColumn->x());
    EXPECT_EQ(418 - 135, rightColumn->width());

    mainArea->setVertical();
    leftColumn->setWidthPercent(100, false);
    leftColumn->setMinimumWidth(s::gui::kUnset);
    window->setSize(250, 250);
    EXPECT_EQ(218, leftColumn->width());
    EXPECT_EQ(0, rightColumn->x());
}

TEST(LayoutTree, RemovingChildrenReleasesThemAndTheirWindows)
{
    Pooled<Window> window(makeWindow(316, 239));
    Box* box = Box::take();
    Box* nested = Box::take();
    nested->addChild(TestControl::make(10, 10, 10, 10));
    box->addChild(nested);
    window->addChild(box);
    box->removeChild(nested, true);
    EXPECT_EQ(0, box->childCount());
    // Removing what is not there only lays out again.
    TestControl* stranger = TestControl::make(1, 1, 1, 1);
    box->removeChild(stranger, false);
    stranger->release();
    box->addChild(TestControl::make(10, 10, 10, 10));
    box->removeAllChildren(true);
    EXPECT_EQ(0, box->childCount());
}

}  // namespace
