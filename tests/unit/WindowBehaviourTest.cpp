// The behaviours of a bound top-level window: showing and hiding with the
// placement checks and the working-set trim, activation, iconizing into the
// notification area and back, the wake-up by a second start, and the end of
// the session. The native side only records what it is asked.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "AppContextFixture.h"
#include "TestFolder.h"
#include "app/win/AppWindow.h"
#include "gui/INativeWindow.h"
#include "gui/events/EventTypes.h"
#include "gui/events/IEventListener.h"
#include "gui/win/Window.h"
#include "map/IMappedData.h"
#include "platform/WorkingSet.h"
#include "xml/MappedData.h"

using s::app::win::AppWindow;
using s::gui::win::Window;

namespace {

const std::u16string kView = u"MainWindow\\View";

// Records the window-level requests and answers like a window would.
class RecordingWindow : public s::gui::INativeWindow {
public:
    explicit RecordingWindow(Window& owner) : m_owner(owner) {}
    INativeView* createChild(s::gui::IComponent&, s::gui::NativeKind) override { return nullptr; }
    void destroy() override { delete this; }
    void move(int32_t x, int32_t y) override { m_owner.onNativeMove(x, y); }
    void resize(int32_t w, int32_t h) override { m_owner.onNativeSize(w, h, Window::SizeState::kRestored); }
    void setBounds(int32_t x, int32_t y, int32_t w, int32_t h) override
    {
        move(x, y);
        resize(w, h);
    }
    void show(bool visible) override { calls.push_back(visible ? "show" : "hide"); }
    bool isEnabled() const override { return true; }
    void setEnabled(bool) override {}
    void redrawArea(int32_t, int32_t, int32_t, int32_t) override {}
    void redraw() override {}
    void setText(std::u16string_view text) override { title.assign(text); }
    s::gui::TextExtent measureText(std::u16string_view) const override { return {}; }
    int32_t frameWidth() const override { return 0; }
    int32_t frameHeight() const override { return 0; }
    bool isMinimized() const override { return false; }
    void requestClose() override { calls.push_back("close"); }
    void sendUserEvent(std::u16string_view, int32_t, int32_t, std::u16string_view) override {}
    void setTopmost(bool topmost, bool) override { calls.push_back(topmost ? "topmost" : "not topmost"); }
    void showWindow(bool activate) override { calls.push_back(activate ? "show active" : "show"); }
    void bringToForeground() override { calls.push_back("foreground"); }
    void minimize() override
    {
        calls.push_back("minimize");
        m_owner.onNativeSize(160, 28, Window::SizeState::kMinimized);
    }
    void restoreFromMinOrMax() override
    {
        calls.push_back("restore");
        m_owner.onNativeSize(250, 250, Window::SizeState::kRestored);
    }
    bool addNotificationIcon(std::u16string_view text) override
    {
        calls.push_back("add icon");
        tip.assign(text);
        return hasNotificationArea;
    }
    void updateNotificationTip(std::u16string_view text) override { tip.assign(text); }
    void removeNotificationIcon() override { calls.push_back("remove icon"); }

    std::vector<std::string> calls;
    std::u16string title;
    std::u16string tip;
    bool hasNotificationArea = true;

private:
    Window& m_owner;
};

class WindowBehaviour : public settings_test::AppContextFixture {
protected:
    // The main window, bound and shown with activation as a first start shows it.
    Window& shownMainWindow()
    {
        m_appWindow.hold(AppWindow::take());
        m_appWindow->initialise(m_context.get(), AppWindow::kMainWindowName, 250, 250, AppWindow::kClose);
        m_window.hold(Window::take());
        m_native = new RecordingWindow(*m_window);
        m_window->attachNative(m_native);
        m_window->setBounds(0, 0, 250, 250);
        m_appWindow->bindWindow(*m_window);
        m_window->setVisible(true, true);
        m_native->calls.clear();
        return *m_window;
    }
    std::vector<std::string>& calls() { return m_native->calls; }

    RecordingWindow* m_native = nullptr;  // owned by m_window
};

using Calls = std::vector<std::string>;

TEST_F(WindowBehaviour, AFirstShowCentresAndActivatesThenHidingStoresThePlacement)
{
    const uint32_t trims = s::platform::workingSetTrims();
    Window& window = shownMainWindow();
    EXPECT_TRUE(window.isVisible());
    // Centred on the 1024 x 728 work area; brought forward through the
    // always-on-top band it is in anyway.
    EXPECT_EQ(window.x(), 387);
    EXPECT_EQ(window.y(), 239);
    EXPECT_TRUE(window.isTopmost());
    EXPECT_TRUE(window.isActive());
    EXPECT_EQ(s::platform::workingSetTrims(), trims + 1);

    window.setVisible(true, true);  // shown already: nothing
    EXPECT_TRUE(calls().empty());

    window.setVisible(false, false);
    EXPECT_EQ(calls(), Calls{"hide"});
    EXPECT_EQ(store().getInt32(kView, u"X", -1), 387);
    EXPECT_EQ(store().getInt32(kView, u"Width", -1), 250);
    EXPECT_EQ(s::platform::workingSetTrims(), trims + 2);
}

TEST_F(WindowBehaviour, AWindowLeftOffEveryScreenIsCentredWhenShownAgain)
{
    Window& window = shownMainWindow();
    window.setVisible(false, false);
    // Its monitor went away while it was hidden.
    window.setPosition(5000, 40);
    window.setVisible(true, false);
    EXPECT_EQ(window.x(), 387);
    EXPECT_EQ(window.y(), 239);
}

TEST_F(WindowBehaviour, ActivatingAWindowOutsideTheTopBandLeavesItThere)
{
    store().setBool(kView, u"KeepOnTop", false);
    Window& window = shownMainWindow();
    window.activate();
    EXPECT_EQ(calls(), (Calls{"topmost", "foreground", "not topmost"}));
    EXPECT_FALSE(window.isTopmost());
    EXPECT_FALSE(store().getBool(kView, u"KeepOnTop", true));
}

TEST_F(WindowBehaviour, IconizingHidesIntoTheNotificationAreaAndALeftClickBringsItBack)
{
    Window& window = shownMainWindow();
    window.setTitle(u"Vosk Pellory v1.0");
    window.iconize();
    EXPECT_EQ(calls(), (Calls{"minimize", "add icon", "hide"}));
    EXPECT_TRUE(window.isIconized());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(m_native->tip, u"Vosk Pellory v1.0");
    // A minimized window saves no placement.
    EXPECT_FALSE(store().valueExists(kView, u"X"));
    window.setTitle(u"Vosk Pellory v1.0 (Magyar)");
    EXPECT_EQ(m_native->tip, u"Vosk Pellory v1.0 (Magyar)");
    window.iconize();  // iconized already
    EXPECT_EQ(calls().size(), 3u);

    calls().clear();
    window.onNotificationIcon(Window::IconMouse::kRightClick, 1000);
    EXPECT_TRUE(calls().empty());
    window.onNotificationIcon(Window::IconMouse::kLeftClick, 1000);
    EXPECT_FALSE(window.isIconized());
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.notificationIconShown());
    EXPECT_EQ(calls().back(), "restore");
    EXPECT_NE(std::find(calls().begin(), calls().end(), "remove icon"), calls().end());
    EXPECT_EQ(window.sizeState(), Window::SizeState::kRestored);
}

TEST_F(WindowBehaviour, WithoutANotificationAreaIconizingLeavesTheWindowMinimized)
{
    Window& window = shownMainWindow();
    m_native->hasNotificationArea = false;
    window.iconize();
    EXPECT_EQ(calls(), (Calls{"minimize", "add icon"}));
    EXPECT_FALSE(window.isIconized());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.sizeState(), Window::SizeState::kMinimized);
    // The second start still brings it back.
    window.onWake();
    EXPECT_EQ(window.sizeState(), Window::SizeState::kRestored);
}

TEST_F(WindowBehaviour, ALeftClickOnTheIconOfAShownWindow)
{
    struct Case {
        const char* what;
        bool active;
        uint32_t msSinceDeactivation;
        bool iconizes;
    };
    const Case cases[] = {
        {"active window", true, 0, true},
        {"deactivated by the click itself", false, 149, true},
        {"deactivated long before", false, 150, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Window& window = shownMainWindow();
        window.iconize();
        window.onNotificationIcon(Window::IconMouse::kLeftClick, 0);  // shown again
        window.onDeactivated(10000);
        if (c.active)
            window.onActivated();
        calls().clear();
        window.onNotificationIcon(Window::IconMouse::kLeftClick, 10000 + c.msSinceDeactivation);
        EXPECT_EQ(window.isIconized(), c.iconizes);
        if (!c.iconizes) {
            EXPECT_EQ(calls(), (Calls{"topmost", "foreground"}));
        }
    }
}

TEST_F(WindowBehaviour, ASecondStartRestoresAnIconizedWindowAndActivatesIt)
{
    store().setBool(kView, u"KeepOnTop", false);
    Window& window = shownMainWindow();
    window.iconize();
    calls().clear();
    window.onWake();
    EXPECT_FALSE(window.isIconized());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(calls().back(), "not topmost");  // activated last
    EXPECT_TRUE(window.isActive());
}

TEST_F(WindowBehaviour, TheMiddleClickCarriesOutTheStoredAction)
{
    struct Case {
        const char16_t* stored;
        Calls expected;
    };
    const Case cases[] = {
        {u"iconize", {"minimize", "add icon", "hide"}},
        {u"CLOSE", {"close"}},
        {u"Explode", {}},
    };
    for (const Case& c : cases) {
        store().setString(kView, u"OnMClick", c.stored);
        Window& window = shownMainWindow();
        window.onMiddleButtonDown();
        EXPECT_EQ(calls(), c.expected);
    }
}

class CloseCounter : public s::gui::events::IEventListener {
public:
    void onEvent(s::base::IObject*, int32_t type) override { closes += type == s::gui::events::kWindowClosing; }
    int closes = 0;
};

TEST_F(WindowBehaviour, ClosingHidesRemovesTheIconAndTheEndOfTheSessionSavesTheStore)
{
    TestFolder folder;
    m_context->adoptStore(s::xml::MappedData::openFile(folder.file(u"settings.xml")));
    Window& window = shownMainWindow();
    CloseCounter counter;
    window.addListener(s::gui::events::kWindowClosing, &counter);
    window.iconize();
    calls().clear();

    window.onEndSession();
    EXPECT_EQ(counter.closes, 1);
    EXPECT_TRUE(window.isClosed());
    EXPECT_NE(std::find(calls().begin(), calls().end(), "remove icon"), calls().end());
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "settings.xml"));
    // A close request after the end changes nothing more.
    EXPECT_TRUE(window.onCloseRequested());
    EXPECT_EQ(counter.closes, 1);
}

}  // namespace
