#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "gui/INativeWindow.h"
#include "gui/events/EventTypes.h"
#include "gui/events/IEventListener.h"
#include "gui/events/ListenerList.h"
#include "gui/win/Box.h"
#include "gui/win/GroupBox.h"
#include "gui/win/Window.h"
#include "thread/Pooled.h"

using s::gui::IComponent;
using s::gui::INativeView;
using s::gui::NativeKind;
using s::gui::TextExtent;
using s::gui::win::Box;
using s::gui::win::GroupBox;
using s::gui::win::Window;
using s::thread::Pooled;
namespace events = s::gui::events;

namespace {

// Remembers every event in order; may run an action on a chosen type.
class Recorder : public events::IEventListener {
public:
    void onEvent(s::base::IObject* source, int32_t type) override
    {
        heard.emplace_back(source, type);
        if (type == actOn && action)
            action();
    }
    std::vector<std::pair<s::base::IObject*, int32_t>> heard;
    int32_t actOn = -1;
    std::function<void()> action;
};

class ChildView : public INativeView {
public:
    INativeView* createChild(IComponent&, NativeKind) override { return new ChildView(); }
    void destroy() override { delete this; }
    void move(int32_t, int32_t) override {}
    void resize(int32_t, int32_t) override {}
    void setBounds(int32_t, int32_t, int32_t, int32_t) override {}
    void show(bool) override {}
    bool isEnabled() const override { return true; }
    void setEnabled(bool) override {}
    void redrawArea(int32_t, int32_t, int32_t, int32_t) override {}
    void redraw() override {}
    void setText(std::u16string_view) override {}
    TextExtent measureText(std::u16string_view) const override { return {0, 13}; }
};

// Counts the window-level requests the portable side makes.
class WindowView : public s::gui::INativeWindow {
public:
    explicit WindowView(int* closes, int* iconizes) : m_closes(closes), m_iconizes(iconizes) {}
    INativeView* createChild(IComponent&, NativeKind) override { return new ChildView(); }
    void destroy() override { delete this; }
    void move(int32_t, int32_t) override {}
    void resize(int32_t, int32_t) override {}
    void setBounds(int32_t, int32_t, int32_t, int32_t) override {}
    void show(bool) override {}
    bool isEnabled() const override { return true; }
    void setEnabled(bool) override {}
    void redrawArea(int32_t, int32_t, int32_t, int32_t) override {}
    void redraw() override {}
    void setText(std::u16string_view) override {}
    TextExtent measureText(std::u16string_view) const override { return {}; }
    int32_t frameWidth() const override { return 0; }
    int32_t frameHeight() const override { return 0; }
    bool isMinimized() const override { return false; }
    void requestClose() override { ++*m_closes; }
    void minimize() override { ++*m_iconizes; }  // the first step of iconizing
    void sendUserEvent(std::u16string_view, int32_t, int32_t, std::u16string_view) override {}

private:
    int* m_closes;
    int* m_iconizes;
};

TEST(GuiEventList, NotifiesInOrderAndReachesListenersAddedMeanwhile)
{
    events::ListenerList list;
    Recorder first, second, late;
    first.actOn = 7;
    first.action = [&] { list.add(&late); };
    list.add(&first);
    list.add(&second);
    list.add(nullptr);  // ignored
    list.notify(nullptr, 7);
    ASSERT_EQ(1u, first.heard.size());
    ASSERT_EQ(1u, second.heard.size());
    EXPECT_EQ(1u, late.heard.size());  // the length is read again after each call
    list.remove(&second);
    list.notify(nullptr, 8);
    EXPECT_EQ(1u, second.heard.size());
}

TEST(GuiEventWindow, CloseListenerMayKeepTheWindowOpen)
{
    Pooled<Window> window(Window::take());
    Recorder keeper;
    keeper.actOn = events::kWindowClosing;
    keeper.action = [&] { window->cancelClose(); };
    window->addListener(events::kWindowClosing, &keeper);
    EXPECT_FALSE(window->onCloseRequested());
    keeper.action = nullptr;
    EXPECT_TRUE(window->onCloseRequested());
    EXPECT_EQ(2u, keeper.heard.size());
    EXPECT_EQ(window.get(), keeper.heard[0].first);
}

TEST(GuiEventWindow, MiddleClickNotifiesThenRunsItsAction)
{
    struct Case {
        Window::MiddleClickAction action;
        int closes, iconizes;
    } cases[] = {
        {Window::MiddleClickAction::kDoNothing, 0, 0},
        {Window::MiddleClickAction::kClose, 1, 0},
        {Window::MiddleClickAction::kIconize, 0, 1},
    };
    for (const Case& c : cases) {
        int closes = 0, iconizes = 0;
        Pooled<Window> window(Window::take());
        window->attachNative(new WindowView(&closes, &iconizes));
        Recorder middle;
        window->addListener(events::kWindowMiddleButtonDown, &middle);
        window->setMiddleClickAction(c.action);
        window->onMiddleButtonDown();
        EXPECT_EQ(1u, middle.heard.size());
        EXPECT_EQ(c.closes, closes);
        EXPECT_EQ(c.iconizes, iconizes);
    }
}

TEST(GuiEventWindow, RestoreRaisesRestoredThenSized)
{
    Pooled<Window> window(Window::take());
    Recorder all;
    window->addListener(events::kWindowRestored, &all);
    window->addListener(events::kWindowSized, &all);
    window->onNativeSize(250, 250, Window::SizeState::kRestored);
    window->onNativeSize(0, 0, Window::SizeState::kMinimized);
    all.heard.clear();
    window->onNativeSize(250, 250, Window::SizeState::kRestored);
    ASSERT_EQ(2u, all.heard.size());
    EXPECT_EQ(events::kWindowRestored, all.heard[0].second);
    EXPECT_EQ(events::kWindowSized, all.heard[1].second);
    // A plain resize is no restore.
    all.heard.clear();
    window->onNativeSize(300, 250, Window::SizeState::kRestored);
    ASSERT_EQ(1u, all.heard.size());
    EXPECT_EQ(events::kWindowSized, all.heard[0].second);
}

TEST(GuiEventWindow, UserEventKeepsItsValuesForListeners)
{
    Pooled<Window> window(Window::take());
    std::u16string seen;
    Recorder status;
    status.actOn = events::kWindowUserEvent;
    status.action = [&] { seen = window->eventName() + u":" + window->eventText(); };
    window->addListener(events::kWindowUserEvent, &status);
    window->sendEvent(u"ProcessStatusStart", 0, 0, u"");  // no native window: nothing
    EXPECT_TRUE(status.heard.empty());
    window->onUserEvent(u"ProcessStatusUpdate", 3, 1, u"b.png");
    EXPECT_EQ(u"ProcessStatusUpdate:b.png", seen);
    EXPECT_EQ(3, window->eventFirst());
    EXPECT_EQ(1, window->eventSecond());
}

TEST(GuiEventWindow, SizingKeepsTheMinimumHeightByMovingTheDraggedEdge)
{
    Pooled<Window> window(Window::take());
    window->setMinimumSize(100, 120);
    Window::Rect fromBottom{0, 100, 200, 150};
    window->onSizing(Window::SizingEdge::kBottomRight, fromBottom);
    EXPECT_EQ(100, fromBottom.top);
    EXPECT_EQ(220, fromBottom.bottom);
    Window::Rect fromTop{0, 100, 200, 150};
    window->onSizing(Window::SizingEdge::kTop, fromTop);
    EXPECT_EQ(30, fromTop.top);
    EXPECT_EQ(150, fromTop.bottom);
}

TEST(GuiEventBox, DropReachesGroupBoxListenersWithEveryPathWhole)
{
    int closes = 0, iconizes = 0;
    Pooled<Window> window(Window::take());
    window->attachNative(new WindowView(&closes, &iconizes));
    GroupBox* dropBox = GroupBox::take();
    Box* content = Box::take();
    dropBox->addChild(content);
    window->addChild(dropBox);
    Recorder dialog;
    dropBox->addListener(events::kBoxFilesDropped, &dialog);

    const std::u16string longPath = u"C:\\" + std::u16string(300, u'x') + u".png";
    content->onFilesDropped({u"C:\\a.jpg", longPath, u"C:\\c.gif"});
    ASSERT_EQ(1u, dialog.heard.size());
    EXPECT_EQ(dropBox, dialog.heard[0].first);
    const auto* paths = dropBox->droppedFiles();
    ASSERT_NE(nullptr, paths);
    ASSERT_EQ(3, paths->count());
    EXPECT_EQ(u"C:\\a.jpg", paths->at(0).str());
    EXPECT_EQ(longPath, paths->at(1).str());
    EXPECT_EQ(u"C:\\c.gif", paths->at(2).str());

    // The next drop replaces the list.
    content->onFilesDropped({u"C:\\d.bmp"});
    EXPECT_EQ(1, paths->count());
}

TEST(GuiEventBox, WheelAndClickAreHandledOnlyWhenSomeoneListens)
{
    Pooled<Box> box(Box::take());
    EXPECT_FALSE(box->onWheel(-3));
    EXPECT_FALSE(box->onLeftButtonDown());
    Recorder listener;
    box->addListener(events::kBoxWheel, &listener);
    box->addListener(events::kBoxLeftButtonDown, &listener);
    EXPECT_TRUE(box->onWheel(-3));
    EXPECT_EQ(-3, box->wheelLines());
    EXPECT_TRUE(box->onLeftButtonDown());
    ASSERT_EQ(2u, listener.heard.size());
    EXPECT_EQ(events::kBoxWheel, listener.heard[0].second);
    EXPECT_EQ(events::kBoxLeftButtonDown, listener.heard[1].second);
}

TEST(GuiEventBox, LayoutAndMoveListenersHearTheirOwnTypes)
{
    Pooled<Box> box(Box::take());
    Recorder laidOut, moved;
    box->addListener(events::kBoxLaidOut, &laidOut);
    box->addListener(events::kBoxMoved, &moved);
    box->setPosition(3, 4);
    box->setSize(30, 40);
    box->relayout();
    EXPECT_EQ(2u, moved.heard.size());
    ASSERT_EQ(1u, laidOut.heard.size());
    EXPECT_EQ(events::kBoxLaidOut, laidOut.heard[0].second);
}

}  // namespace
