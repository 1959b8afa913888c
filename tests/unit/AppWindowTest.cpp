// The main window's settings object against an in-memory registry and a
// fixed screen: its settings table, the placement rules, binding, saving,
// and the start-up decisions that need no system.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppContextFixture.h"
#include "app/PelloryApp.h"
#include "app/win/AppBase.h"
#include "app/win/AppWindow.h"
#include "app/win/Placement.h"
#include "app/win/RunningCopy.h"
#include "gui/INativeWindow.h"
#include "gui/drawer/ISkin.h"
#include "gui/drawer/Skinner.h"
#include "gui/IWindowHost.h"
#include "gui/win/Window.h"
#include "lang/LangResource.h"
#include "lang/Localizer.h"
#include "map/IMappedData.h"
#include "platform/ScreenGeometry.h"
#include "platform/SystemVersion.h"
#include "thread/Pooled.h"

using s::app::win::AppBase;
using s::app::win::AppWindow;
using s::app::win::Placement;
using s::app::win::RunningCopy;
using s::gui::win::Window;
using s::platform::ScreenRect;
using s::thread::Pooled;

namespace {

const std::u16string kView = u"MainWindow\\View";

// A top-level window's native side that only records: enough for the
// settings object to read a window's rectangle, state and visibility.
class RecordingWindow : public s::gui::INativeWindow {
public:
    INativeView* createChild(s::gui::IComponent&, s::gui::NativeKind) override { return nullptr; }
    void destroy() override { delete this; }
    void move(int32_t x, int32_t y) override { moves.push_back({x, y, 0, 0}); }
    void resize(int32_t, int32_t) override {}
    void setBounds(int32_t, int32_t, int32_t, int32_t) override {}
    void show(bool) override {}
    bool isEnabled() const override { return true; }
    void setEnabled(bool) override {}
    void redrawArea(int32_t, int32_t, int32_t, int32_t) override {}
    void redraw() override {}
    void setText(std::u16string_view) override {}
    s::gui::TextExtent measureText(std::u16string_view) const override { return {}; }
    int32_t frameWidth() const override { return 0; }
    int32_t frameHeight() const override { return 0; }
    bool isMinimized() const override { return false; }
    void requestClose() override {}
    void sendUserEvent(std::u16string_view, int32_t, int32_t, std::u16string_view) override {}
    void setTopmost(bool flag, bool) override { topmost.push_back(flag); }
    void setEasyDrag(bool flag) override { easyDrag.push_back(flag); }

    std::vector<ScreenRect> moves;
    std::vector<bool> topmost;
    std::vector<bool> easyDrag;
};

class AppWindowSettings : public settings_test::AppContextFixture {
protected:
    AppWindow& mainWindow()
    {
        if (!m_appWindow) {
            m_appWindow.hold(AppWindow::take());
            m_appWindow->initialise(m_context.get(), AppWindow::kMainWindowName, 250, 250, AppWindow::kClose);
        }
        return *m_appWindow;
    }
    // A shown window at that rectangle in that state, with a recording native side.
    Window& shownWindow(ScreenRect bounds, Window::SizeState state = Window::SizeState::kRestored)
    {
        m_window.hold(Window::take());
        m_native = new RecordingWindow;
        m_window->attachNative(m_native);
        m_window->setBounds(bounds.left, bounds.top, bounds.width, bounds.height);
        m_window->onNativeSize(bounds.width, bounds.height, state);
        m_window->setVisible(true, false);
        m_native->moves.clear();
        return *m_window;
    }
    RecordingWindow& native() { return *m_native; }

    RecordingWindow* m_native = nullptr;  // owned by m_window
};

TEST_F(AppWindowSettings, AFirstStartReadsTheDefaults)
{
    AppWindow& window = mainWindow();
    EXPECT_EQ(window.windowName(), u"MainWindow");
    EXPECT_EQ(window.keyPath(u"View"), kView);
    EXPECT_EQ(window.textBase(), 500000);
    EXPECT_FALSE(window.hasPosition());
    EXPECT_EQ(window.x(), 0);
    EXPECT_EQ(window.width(), 250);
    EXPECT_EQ(window.height(), 250);
    EXPECT_TRUE(window.keepOnTop());
    EXPECT_TRUE(window.easyDrag());
    EXPECT_FALSE(window.maximized());
    EXPECT_EQ(std::u16string(window.middleClickAction()), u"Close");
    EXPECT_TRUE(window.middleClickCloses());
    EXPECT_FALSE(window.middleClickIconizes());
    EXPECT_EQ(window.title(), u"Vosk Pellory v1.10");
}

TEST_F(AppWindowSettings, InitialisingWritesTheIdentificationBelowTheWindowsKey)
{
    mainWindow();
    EXPECT_EQ(std::u16string(store().getString(u"MainWindow\\SoftwareID", u"", u"")), u"Vosk Pellory");
    EXPECT_EQ(std::u16string(store().getString(u"MainWindow\\Version", u"", u"")), u"1.10");
}

TEST_F(AppWindowSettings, SettersStoreBelowTheViewKey)
{
    AppWindow& window = mainWindow();
    window.setBounds(-5, 12, 300, 280);
    window.setKeepOnTop(false);
    window.setEasyDrag(false);
    window.setMaximized(true);
    EXPECT_TRUE(window.hasPosition());
    EXPECT_EQ(store().getInt32(kView, u"X", 1), -5);
    EXPECT_EQ(store().getInt32(kView, u"Y", 1), 12);
    EXPECT_EQ(store().getInt32(kView, u"Width", 1), 300);
    EXPECT_EQ(store().getInt32(kView, u"Height", 1), 280);
    EXPECT_FALSE(store().getBool(kView, u"KeepOnTop", true));
    EXPECT_FALSE(store().getBool(kView, u"EasyDrag", true));
    EXPECT_TRUE(store().getBool(kView, u"Maximized", false));

    window.forgetBounds();
    EXPECT_FALSE(window.hasPosition());
    EXPECT_FALSE(window.hasWidth());
    EXPECT_EQ(window.width(), 250);
    // Only the four placement values go.
    EXPECT_FALSE(window.keepOnTop());
}

TEST_F(AppWindowSettings, APositionCountsOnlyWithBothCoordinates)
{
    AppWindow& window = mainWindow();
    window.setX(100);
    EXPECT_TRUE(window.hasX());
    EXPECT_FALSE(window.hasPosition());
    window.setY(100);
    EXPECT_TRUE(window.hasPosition());
}

TEST_F(AppWindowSettings, TheMiddleClickActionIsReadIgnoringCase)
{
    struct Case {
        const char16_t* stored;
        const char16_t* action;
    };
    const Case cases[] = {
        {u"Close", u"Close"},       {u"close", u"Close"},         {u"CLOSE", u"Close"},
        {u"Iconize", u"Iconize"},   {u"iconIZE", u"Iconize"},     {u"DoNothing", u"DoNothing"},
        {u"", u"DoNothing"},        {u"Minimize", u"DoNothing"},  {u"Close ", u"DoNothing"},
        {u"Iconized", u"DoNothing"},
    };
    AppWindow& window = mainWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.stored, c.stored + std::char_traits<char16_t>::length(c.stored)));
        store().setString(kView, u"OnMClick", c.stored);
        EXPECT_EQ(std::u16string(window.middleClickAction()), c.action);
        EXPECT_EQ(window.middleClickCloses(), std::u16string(c.action) == u"Close");
        EXPECT_EQ(window.middleClickIconizes(), std::u16string(c.action) == u"Iconize");
    }
}

TEST_F(AppWindowSettings, ChangingTheMiddleClickActionStoresOneOfTheThreeWords)
{
    AppWindow& window = mainWindow();
    window.setMiddleClickAction(u"Close");  // the current action: nothing to store
    EXPECT_FALSE(store().valueExists(kView, u"OnMClick"));
    window.setMiddleClickAction(u"iconize");
    EXPECT_EQ(std::u16string(store().getString(kView, u"OnMClick", u"")), u"Iconize");
    window.setMiddleClickAction(u"Explode");
    EXPECT_EQ(std::u16string(store().getString(kView, u"OnMClick", u"")), u"DoNothing");
}

TEST_F(AppWindowSettings, ASizeIsUsableFromTenPixelsUpToTheVirtualScreen)
{
    struct Case {
        int32_t width;
        int32_t height;
        bool widthUsable;
        bool heightUsable;
    };
    const Case cases[] = {{10, 10, true, true},      {9, 9, false, false},       {1024, 768, true, true},
                          {1025, 769, false, false}, {-300, 0, false, false},    {400, 2000, true, false}};
    AppWindow& window = mainWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        window.setSize(c.width, c.height);
        EXPECT_EQ(window.widthUsable(), c.widthUsable);
        EXPECT_EQ(window.heightUsable(), c.heightUsable);
    }
}

TEST_F(AppWindowSettings, AWindowWithASkinHostKeepsItsOwnSkin)
{
    struct Case {
        const char16_t* stored;  // null: nothing stored
        const char16_t* selected;
    };
    const Case cases[] = {
        {nullptr, u"Classic LG"},
        {u"black ii", u"Black II"},  // a name matches ignoring case
        {u"Classic Blue", u"Classic LG"},  // no scheme has it: the default
    };
    for (const Case& c : cases) {
        store().deleteKey(u"AboutWindow");
        if (c.stored)
            store().setString(u"AboutWindow\\Skin", u"", c.stored);
        Pooled<AppWindow> about(AppWindow::take());
        about->initialise(m_context.get(), u"AboutWindow", 340, 285, AppWindow::kClose);
        s::gui::drawer::Skinner* skinner = s::gui::drawer::Skinner::take();
        skinner->setFamilyName(u"ThinWindow");
        skinner->fillFamily();
        about->setSkinHost(skinner, u"Classic LG");
        ASSERT_TRUE(about->hasSkinHost());
        ASSERT_NE(skinner->currentSkin(), nullptr);
        EXPECT_EQ(skinner->currentSkin()->name(), c.selected);
    }
    // The main window has no host: it reads the application's saved skin.
    EXPECT_FALSE(mainWindow().hasSkinHost());
    store().setString(u"Skin", u"", u"Basic");
    EXPECT_EQ(mainWindow().skin(), u"Basic");
}

// --- Placement arithmetic ----------------------------------------------------------------------

TEST(AppWindowPlacement, OnScreenMeansTenPixelsInsideOnEachAxis)
{
    const ScreenRect screen{0, 0, 1024, 768};
    struct Case {
        const char* name;
        ScreenRect window;
        bool onScreen;
    };
    const Case cases[] = {
        {"inside", {100, 100, 250, 250}, true},
        {"left edge at the last allowed column", {1014, 100, 250, 250}, true},
        {"left edge one further", {1015, 100, 250, 250}, false},
        {"right edge ten pixels in", {-240, 100, 250, 250}, true},
        {"right edge nine pixels in", {-241, 100, 250, 250}, false},
        {"top edge at the last allowed row", {100, 758, 250, 250}, true},
        {"top edge one further", {100, 759, 250, 250}, false},
        {"bottom edge ten pixels in", {100, -240, 250, 250}, true},
        {"bottom edge nine pixels in", {100, -241, 250, 250}, false},
        {"ten pixels wide", {100, 100, 10, 250}, false},
        {"eleven pixels wide", {100, 100, 11, 250}, true},
        {"ten pixels high", {100, 100, 250, 10}, false},
        {"negative size", {100, 100, -250, 250}, false},
        {"far away, sums past 32 bits", {2147483000, 2147483000, 2147483000, 2147483000}, false},
        {"far before, sums past 32 bits", {-2147483647, -2147483647, 2000, 2000}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Placement::isOnScreen(c.window, screen), c.onScreen);
    }
}

TEST(AppWindowPlacement, OnScreenFollowsAVirtualScreenLeftOfThePrimary)
{
    // A second monitor on the left: the virtual screen starts at -1280.
    const ScreenRect screen{-1280, 0, 2304, 1024};
    EXPECT_TRUE(Placement::isOnScreen({-1000, 50, 250, 250}, screen));
    EXPECT_FALSE(Placement::isOnScreen({-1521, 50, 250, 250}, screen));
    // The same place with that monitor gone.
    EXPECT_FALSE(Placement::isOnScreen({-1000, 50, 250, 250}, {0, 0, 1024, 768}));
}

TEST(AppWindowPlacement, CentringUsesTheWorkAreaAndNeverStartsBeforeIt)
{
    struct Case {
        const char* name;
        ScreenRect work;
        ScreenRect window;
        int32_t left;
        int32_t top;
    };
    const Case cases[] = {
        {"plain", {0, 0, 1024, 728}, {5, 5, 250, 250}, 387, 239},
        {"odd room rounds towards the origin", {0, 0, 1024, 728}, {0, 0, 251, 251}, 386, 238},
        {"task bar on the left and top", {60, 30, 964, 738}, {0, 0, 250, 250}, 417, 274},
        {"larger than the work area", {60, 30, 964, 738}, {0, 0, 2000, 1000}, 60, 30},
        {"work area on a monitor left of the primary", {-1280, 0, 1280, 984}, {0, 0, 250, 250}, -765, 367},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ScreenRect centred = Placement::centredOnWorkArea(c.window, c.work);
        EXPECT_EQ(centred.left, c.left);
        EXPECT_EQ(centred.top, c.top);
        EXPECT_EQ(centred.width, c.window.width);
        EXPECT_EQ(centred.height, c.window.height);
    }
}

TEST(AppWindowPlacement, KeepingInsideShiftsBackOverEveryEdge)
{
    const ScreenRect screen{0, 0, 1024, 768};
    struct Case {
        const char* name;
        ScreenRect window;
        int32_t left;
        int32_t top;
    };
    const Case cases[] = {
        {"inside stays", {100, 100, 250, 250}, 100, 100},
        {"right edge on the screen's edge", {774, 518, 250, 250}, 774, 518},
        {"past the right and bottom", {900, 700, 250, 250}, 774, 518},
        {"before the left and top", {-30, -5, 250, 250}, 0, 0},
        {"wider than the screen starts at its left", {-50, 10, 1200, 250}, 0, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ScreenRect inside = Placement::insideVirtualScreen(c.window, screen);
        EXPECT_EQ(inside.left, c.left);
        EXPECT_EQ(inside.top, c.top);
    }
}

// --- Binding and saving ----------------------------------------------------------------------

TEST_F(AppWindowSettings, AFirstStartOpensAtTheDefaultSizeCentredAndOnTop)
{
    s::gui::WindowOptions options;
    mainWindow().bindOptions(options);
    EXPECT_EQ(options.title, u"Vosk Pellory v1.10");
    EXPECT_TRUE(options.centre);
    EXPECT_EQ(options.width, 250);
    EXPECT_EQ(options.height, 250);
    EXPECT_TRUE(options.topmost);
    EXPECT_FALSE(options.maximized);
}

TEST_F(AppWindowSettings, AStoredPlacementOnScreenIsTakenAsItIs)
{
    mainWindow().setBounds(600, 400, 320, 290);
    mainWindow().setMaximized(true);
    mainWindow().setKeepOnTop(false);
    s::gui::WindowOptions options;
    mainWindow().bindOptions(options);
    EXPECT_FALSE(options.centre);
    EXPECT_EQ(options.x, 600);
    EXPECT_EQ(options.y, 400);
    EXPECT_EQ(options.width, 320);
    EXPECT_EQ(options.height, 290);
    EXPECT_TRUE(options.maximized);
    EXPECT_FALSE(options.topmost);
}

TEST_F(AppWindowSettings, APlacementOnADetachedMonitorIsCentredOnTheWorkArea)
{
    // Saved on a monitor right of this one, which is gone now.
    mainWindow().setBounds(1500, 200, 300, 300);
    s::gui::WindowOptions options;
    mainWindow().bindOptions(options);
    EXPECT_FALSE(options.centre);
    EXPECT_EQ(options.x, (1024 - 300) / 2);
    EXPECT_EQ(options.y, (728 - 300) / 2);
    EXPECT_EQ(options.width, 300);
}

TEST_F(AppWindowSettings, AnUnusableStoredSizeGivesTheDefault)
{
    mainWindow().setBounds(100, 100, 5, 100000);
    s::gui::WindowOptions options;
    mainWindow().bindOptions(options);
    EXPECT_EQ(options.width, 250);
    EXPECT_EQ(options.height, 250);
    EXPECT_EQ(options.x, 100);
}

TEST_F(AppWindowSettings, BindingHandsTheWindowItsBehaviour)
{
    store().setString(kView, u"OnMClick", u"iconize");
    store().setBool(kView, u"EasyDrag", false);
    Window& window = shownWindow({10, 10, 250, 250});
    mainWindow().bindWindow(window);
    EXPECT_EQ(window.middleClickAction(), Window::MiddleClickAction::kIconize);
    EXPECT_EQ(native().easyDrag, std::vector<bool>{false});
    EXPECT_EQ(native().topmost, std::vector<bool>{true});

    window.setTopmost(false);
    EXPECT_EQ(native().topmost, (std::vector<bool>{true, false}));
    EXPECT_FALSE(mainWindow().keepOnTop());
}

TEST_F(AppWindowSettings, SavingStoresTheRectangleOfAShownRestoredWindow)
{
    mainWindow().setMaximized(true);
    Window& window = shownWindow({120, 80, 260, 270});
    mainWindow().savePlacement(window);
    EXPECT_EQ(mainWindow().x(), 120);
    EXPECT_EQ(mainWindow().y(), 80);
    EXPECT_EQ(mainWindow().width(), 260);
    EXPECT_EQ(mainWindow().height(), 270);
    EXPECT_FALSE(mainWindow().maximized());
}

TEST_F(AppWindowSettings, SavingAMaximizedWindowKeepsTheRestoredRectangle)
{
    mainWindow().setBounds(120, 80, 260, 270);
    Window& window = shownWindow({-8, -8, 1040, 744}, Window::SizeState::kMaximized);
    mainWindow().savePlacement(window);
    EXPECT_TRUE(mainWindow().maximized());
    EXPECT_EQ(mainWindow().x(), 120);
    EXPECT_EQ(mainWindow().width(), 260);
}

TEST_F(AppWindowSettings, SavingSkipsMinimizedAndHiddenWindows)
{
    Window& minimized = shownWindow({-32000, -32000, 160, 28}, Window::SizeState::kMinimized);
    mainWindow().savePlacement(minimized);
    EXPECT_FALSE(mainWindow().hasPosition());
    EXPECT_FALSE(mainWindow().hasWidth());

    Window& hidden = shownWindow({120, 80, 260, 270});
    hidden.setVisible(false, false);
    mainWindow().savePlacement(hidden);
    EXPECT_FALSE(mainWindow().hasPosition());
}

TEST_F(AppWindowSettings, CentringAndKeepingInsideMoveOnlyWhenNeeded)
{
    Window& window = shownWindow({900, 700, 250, 250});
    mainWindow().keepInsideVirtualScreen(window);
    EXPECT_EQ(window.x(), 774);
    EXPECT_EQ(window.y(), 518);
    ASSERT_EQ(native().moves.size(), 1u);
    mainWindow().keepInsideVirtualScreen(window);
    EXPECT_EQ(native().moves.size(), 1u);

    EXPECT_TRUE(mainWindow().isOnScreen(window));
    mainWindow().centreOnWorkArea(window);
    EXPECT_EQ(window.x(), 387);
    EXPECT_EQ(window.y(), 239);

    Window& maximized = shownWindow({-8, -8, 1100, 800}, Window::SizeState::kMaximized);
    mainWindow().keepInsideVirtualScreen(maximized);
    EXPECT_TRUE(native().moves.empty());
}

TEST_F(AppWindowSettings, WithoutAStoreEveryGetterGivesItsDefault)
{
    m_context->adoptStore(nullptr);
    AppWindow& window = mainWindow();
    window.setBounds(1, 2, 3, 4);
    EXPECT_FALSE(window.hasPosition());
    EXPECT_EQ(window.width(), 250);
    EXPECT_TRUE(window.keepOnTop());
    EXPECT_EQ(std::u16string(window.middleClickAction()), u"Close");
}

// --- Start-up decisions ------------------------------------------------------------------------

TEST(PelloryStartUp, OnlyXpServer2003AndVistaOnwardAreSupported)
{
    struct Case {
        s::platform::SystemVersion version;
        bool supported;
    };
    const Case cases[] = {
        {{5, 0, true}, false},  {{5, 1, true}, true},  {{5, 2, true}, true},  {{5, 3, true}, false},
        {{6, 0, true}, true},   {{6, 1, true}, true},  {{10, 0, true}, true}, {{4, 0, true}, false},
        {{4, 10, false}, false}, {{4, 90, false}, false}, {{6, 0, false}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.version.major << "." << c.version.minor << (c.version.isNt ? " NT" : " 9x"));
        EXPECT_EQ(CPelloryApp::isSupportedSystem(c.version), c.supported);
    }
}

TEST(PelloryStartUp, TheRunningCopyIsAnotherProcessOfTheSameFileIgnoringCase)
{
    const std::u16string self = u"C:\\Program Files\\Pellory\\Pellory.exe";
    const std::vector<RunningCopy::Process> snapshot = {
        {4, u"C:\\Windows\\explorer.exe"},
        {7, u"C:\\program files\\pellory\\PELLORY.EXE"},  // this start itself
        {9, u"D:\\Copy\\Pellory.exe"},                     // another copy of the file: another program
        {12, u"C:\\PROGRAM FILES\\Pellory\\pellory.exe"},
        {15, u"C:\\Program Files\\Pellory\\Pellory.exe"},
    };
    EXPECT_EQ(RunningCopy::pickProcess(snapshot, self, 7), 12u);
    EXPECT_EQ(RunningCopy::pickProcess(snapshot, self, 12), 7u);
    EXPECT_EQ(RunningCopy::pickProcess({snapshot[0], snapshot[1], snapshot[2]}, self, 7), 0u);
    // A path the system would not tell matches nothing, not everything.
    EXPECT_EQ(RunningCopy::pickProcess({{3, u""}, {5, u""}}, u"", 1), 0u);
}

TEST(PelloryStartUp, TitlesAreMatchedByTheirBeginningIgnoringCase)
{
    EXPECT_TRUE(RunningCopy::startsWithIgnoreCase(u"Vosk Pellory v1.10", u"vosk pellory"));
    EXPECT_TRUE(RunningCopy::startsWithIgnoreCase(u"Vosk Pellory", u"Vosk Pellory"));
    EXPECT_FALSE(RunningCopy::startsWithIgnoreCase(u"Vosk", u"Vosk Pellory"));
    EXPECT_FALSE(RunningCopy::startsWithIgnoreCase(u"About Vosk Pellory", u"Vosk Pellory"));
}

TEST(PelloryStartUp, TheContextLetsGoOfEverythingWhenReleased)
{
    Pooled<AppBase> context(AppBase::take());
    context->setCommandLine({u"-silent"});
    EXPECT_TRUE(context->hasParameters());
    const std::string_view pack = s::lang::LangResource::compiledInBytes();
    context->adoptLocalizer(s::lang::Localizer::fromUtf8(reinterpret_cast<const uint8_t*>(pack.data()), pack.size()));
    context->localizer()->selectLanguage(u"English");
    EXPECT_EQ(context->productText(AppBase::kVersionOffset), u"1.10");
    AppBase* same = context.get();
    context.clear();
    // The pool hands the same object out again, reset.
    Pooled<AppBase> again(AppBase::take());
    if (again.get() == same) {
        EXPECT_FALSE(again->hasParameters());
        EXPECT_EQ(again->localizer(), nullptr);
        EXPECT_EQ(again->settingsStore(), nullptr);
    }
}

}  // namespace
