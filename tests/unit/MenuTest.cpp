// The menu bar: the toolkit's bar, menus and items against a fake native side
// that shows pop-ups as the user would see them, and the main window's three
// menus with every command, over the real window settings and an in-memory
// store.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FakeNativeViews.h"
#include "app/win/AppBase.h"
#include "app/win/AppWindow.h"
#include "dialogs/pellory/Dialog.h"
#include "gui/events/EventTypes.h"
#include "gui/events/IEventListener.h"
#include "gui/menuitem/MenuItem.h"
#include "gui/win/Controls.h"
#include "gui/win/GroupBox.h"
#include "gui/win/MenuEx.h"
#include "gui/win/PopupMenu.h"
#include "gui/win/Window.h"
#include "lang/LangPack.h"
#include "lang/LangResource.h"
#include "lang/Localizer.h"
#include "map/IMappedData.h"
#include "platform/ScreenGeometry.h"
#include "platform/WebPage.h"
#include "thread/Pooled.h"
#include "xml/MappedData.h"

using fake_views::FakeNativeWindow;
using fake_views::FakeView;
using fake_views::FakeWindowHost;
using fake_views::kCharWidth;
using fake_views::viewOf;
using s::app::win::AppBase;
using s::app::win::AppWindow;
using s::gui::menuitem::MenuItem;
using s::gui::win::MenuEx;
using s::gui::win::PopupMenu;
using s::image::gui::dialogs::pellory::Dialog;
using s::thread::Pooled;
namespace events = s::gui::events;

namespace {

const std::u16string kView = u"MainWindow\\View";
const s::platform::ScreenGeometry kOneMonitor{{0, 0, 1024, 768}, {0, 0, 1024, 728}};

s::lang::Localizer* packInEnglish()
{
    const std::string_view pack = s::lang::LangResource::compiledInBytes();
    s::lang::Localizer* localizer =
        s::lang::Localizer::fromUtf8(reinterpret_cast<const uint8_t*>(pack.data()), pack.size());
    localizer->selectLanguage(u"English");
    return localizer;
}

int32_t languageIndex(s::lang::Localizer& localizer, std::u16string_view engName)
{
    return localizer.indexOf(localizer.findLanguage(engName));
}

// Remembers every report: who, which type, and the command at that moment.
class Recorder : public events::IEventListener {
public:
    void onEvent(s::base::IObject* source, int32_t type) override
    {
        sources.push_back(source);
        types.push_back(type);
        if (auto* bar = dynamic_cast<MenuEx*>(source))
            commands.push_back(bar->lastCommand());
    }
    std::vector<s::base::IObject*> sources;
    std::vector<int32_t> types;
    std::vector<int32_t> commands;
};

// --- The toolkit's menu bar ---------------------------------------------------------------

// The bar's native side as the user meets it: each pop-up "opens" by running
// what the test scripted for it (choose an item, move the mouse), and stays
// open until that is done or the bar ends it.
class FakeMenuBarView : public FakeView, public MenuEx::PopupView {
public:
    struct Shown {
        std::u16string title;
        int32_t x = 0;
        int32_t y = 0;
        int32_t highlightedMeanwhile = -1;
        bool openMeanwhile = false;
    };
    using Script = std::function<void(MenuEx& bar, FakeMenuBarView& view)>;

    explicit FakeMenuBarView(MenuEx& bar) : FakeView(&bar, s::gui::NativeKind::kMenuBar), m_bar(bar) {}

    void showPopup(const PopupMenu& menu, int32_t x, int32_t y) override
    {
        shown.push_back({menu.text(), x, y, m_bar.highlighted(), m_bar.isOpen()});
        m_closeRequested = false;
        if (!scripts.empty()) {
            Script script = scripts.front();
            scripts.erase(scripts.begin());
            script(m_bar, *this);
        }
    }
    void closePopup() override
    {
        m_closeRequested = true;
        ++closes;
    }

    std::vector<Script> scripts;
    std::vector<Shown> shown;
    int closes = 0;

private:
    MenuEx& m_bar;
    bool m_closeRequested = false;
};

// A window whose native side makes the fake bar view for a menu bar.
class MenuWindow : public FakeNativeWindow {
public:
    explicit MenuWindow(s::gui::win::Window& owner) : FakeNativeWindow(owner) {}
    s::gui::INativeView* createChild(s::gui::IComponent& child, s::gui::NativeKind kind) override
    {
        if (auto* bar = dynamic_cast<MenuEx*>(&child)) {
            barView = new FakeMenuBarView(*bar);
            return barView;
        }
        return FakeNativeWindow::createChild(child, kind);
    }
    FakeMenuBarView* barView = nullptr;  // owned by the bar
};

class MenuBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_localizer.hold(packInEnglish());
        m_window.hold(s::gui::win::Window::take());
        m_native = new MenuWindow(*m_window);
        m_window->attachNative(m_native);
        m_native->setBounds(0, 0, 400, 300);
    }

    // Three menus ("File" with two items, "Edit", "Help") and a plain entry
    // "Go", laid out on the window.
    MenuEx& makeBar()
    {
        m_bar = MenuEx::take();
        PopupMenu* file = PopupMenu::take();
        file->setText(u"File");
        file->append(MenuItem::fromText(u"Open", 1));
        file->append(MenuItem::separator());
        file->append(MenuItem::fromText(u"Quit", 2));
        PopupMenu* edit = PopupMenu::take();
        edit->setText(u"Edit");
        edit->append(MenuItem::fromText(u"Copy", 3));
        PopupMenu* help = PopupMenu::take();
        help->setText(u"Help");
        m_bar->appendMenu(file);
        m_bar->appendMenu(edit);
        m_bar->appendMenu(help);
        m_bar->appendItem(MenuItem::fromText(u"Go", 7));
        m_bar->setWidthPercent(100);
        m_bar->setFixedHeight(19);
        m_bar->setClock([this] { return m_now; });
        m_window->addChild(m_bar);
        m_window->doLayout();
        return *m_bar;
    }
    FakeMenuBarView& view() { return *m_native->barView; }
    // The middle of an entry.
    void press(int32_t entry)
    {
        const MenuEx::Rect r = m_bar->entryRect(entry);
        m_bar->onLeftButtonDown(r.x + r.width / 2, r.y + r.height / 2);
    }
    void release(int32_t entry)
    {
        const MenuEx::Rect r = m_bar->entryRect(entry);
        m_bar->onLeftButtonUp(r.x + r.width / 2, r.y + r.height / 2);
    }

    Pooled<s::lang::Localizer> m_localizer;
    Pooled<s::gui::win::Window> m_window;
    MenuWindow* m_native = nullptr;  // owned by the window
    MenuEx* m_bar = nullptr;         // owned by the window
    int64_t m_now = 100000;
};

TEST_F(MenuBarTest, EntriesAreMeasuredFromTheirTextsAndSitSideBySide)
{
    MenuEx& bar = makeBar();
    const std::vector<std::u16string> texts{u"File", u"Edit", u"Help", u"Go"};
    ASSERT_EQ(bar.entryCount(), 4);
    int32_t x = 0;
    for (int32_t i = 0; i < bar.entryCount(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(bar.entryText(i), texts[static_cast<size_t>(i)]);
        const MenuEx::Rect r = bar.entryRect(i);
        EXPECT_EQ(r.x, x);
        EXPECT_EQ(r.y, 0);
        EXPECT_EQ(r.width, static_cast<int32_t>(texts[static_cast<size_t>(i)].size()) * kCharWidth +
                               2 * MenuEx::kEntryPaddingX);
        EXPECT_EQ(r.height, 19);
        EXPECT_EQ(bar.entryAt(r.x, 0), i);
        EXPECT_EQ(bar.entryAt(r.x + r.width - 1, 18), i);
        EXPECT_FALSE(bar.isTransparentAt(r.x, 5));
        x += r.width;
    }
    EXPECT_EQ(bar.entryKind(0), MenuEx::EntryKind::kPopup);
    EXPECT_EQ(bar.entryKind(3), MenuEx::EntryKind::kItem);
    // Beside and below the entries the bar belongs to the window's body.
    EXPECT_EQ(bar.entryAt(x, 5), -1);
    EXPECT_TRUE(bar.isTransparentAt(x + 10, 5));
    EXPECT_EQ(bar.entryAt(0, 19), -1);
    // The whole width of the window, at the height it was given.
    EXPECT_EQ(bar.width(), m_window->innerWidth());
    EXPECT_EQ(bar.height(), 19);
}

TEST_F(MenuBarTest, APressOpensThePopupBelowItsEntryHighlightedUntilItCloses)
{
    MenuEx& bar = makeBar();
    press(1);
    ASSERT_EQ(view().shown.size(), 1u);
    const auto& shown = view().shown[0];
    EXPECT_EQ(shown.title, u"Edit");
    EXPECT_EQ(shown.x, bar.entryRect(1).x);
    EXPECT_EQ(shown.y, bar.entryRect(1).y + bar.entryRect(1).height);
    EXPECT_EQ(shown.highlightedMeanwhile, 1);
    EXPECT_TRUE(shown.openMeanwhile);
    EXPECT_EQ(bar.highlighted(), -1);
    EXPECT_FALSE(bar.isOpen());
    // A press beside the entries opens nothing.
    bar.onLeftButtonDown(bar.entryRect(3).x + bar.entryRect(3).width + 5, 5);
    EXPECT_EQ(view().shown.size(), 1u);
}

TEST_F(MenuBarTest, APressJustAfterAPopupClosedDoesNotOpenItAgain)
{
    makeBar();
    struct Case {
        int64_t after;
        bool opens;
    };
    // Measured from the close of the last pop-up.
    for (const Case& each : {Case{0, false}, Case{499, false}, Case{500, true}, Case{2000, true}}) {
        SCOPED_TRACE(each.after);
        press(0);  // opens: the last close is long past
        const size_t before = view().shown.size();
        m_now += each.after;
        press(0);
        EXPECT_EQ(view().shown.size(), before + (each.opens ? 1u : 0u));
        EXPECT_EQ(m_bar->highlighted(), -1);
        m_now += 10000;
    }
}

TEST_F(MenuBarTest, MovingOntoANeighbourWhileOpenHopsToItsPopup)
{
    MenuEx& bar = makeBar();
    auto pollAt = [](int32_t entry) {
        return [entry](MenuEx& b, FakeMenuBarView&) {
            const MenuEx::Rect own = b.entryRect(b.highlighted());
            b.onPopupPoll(own.x + 1, own.y + 1);  // still on its own entry: nothing
            const MenuEx::Rect r = b.entryRect(entry);
            b.onPopupPoll(r.x + 2, r.y + 2);
        };
    };
    view().scripts = {pollAt(2), pollAt(3), pollAt(0)};
    press(1);
    // Edit, then Help; the plain entry "Go" opens nothing, so Help closes for good.
    ASSERT_EQ(view().shown.size(), 2u);
    EXPECT_EQ(view().shown[0].title, u"Edit");
    EXPECT_EQ(view().shown[1].title, u"Help");
    EXPECT_EQ(view().shown[1].highlightedMeanwhile, 2);
    EXPECT_EQ(view().shown[1].x, bar.entryRect(2).x);
    EXPECT_EQ(view().closes, 1);
    EXPECT_EQ(bar.highlighted(), -1);
    // Polls after the close do nothing.
    bar.onPopupPoll(bar.entryRect(0).x + 1, 1);
    EXPECT_EQ(view().closes, 1);
}

TEST_F(MenuBarTest, AChoiceInAPopupReachesTheListenersInOrderWithTheCommand)
{
    MenuEx& bar = makeBar();
    Recorder first, second;
    bar.addListener(events::kMenuCommand, &first);
    bar.addListener(events::kMenuCommand, &second);
    std::vector<bool> accepted;
    view().scripts = {[&](MenuEx& b, FakeMenuBarView&) {
        accepted.push_back(b.chooseCommand(2));
        accepted.push_back(b.chooseCommand(42));  // no item sends it
    }};
    press(0);
    EXPECT_EQ(accepted, (std::vector<bool>{true, false}));
    EXPECT_EQ(first.commands, std::vector<int32_t>{2});
    EXPECT_EQ(second.commands, std::vector<int32_t>{2});
    ASSERT_EQ(first.sources.size(), 1u);
    EXPECT_EQ(first.sources[0], static_cast<s::base::IObject*>(&bar));
    EXPECT_EQ(first.types[0], events::kMenuCommand);
    EXPECT_EQ(bar.lastCommand(), 2);
}

TEST_F(MenuBarTest, APlainEntryIsChosenWhenTheButtonComesUpOnIt)
{
    MenuEx& bar = makeBar();
    Recorder recorder;
    bar.addListener(events::kMenuCommand, &recorder);
    press(3);
    EXPECT_EQ(bar.highlighted(), 3);
    EXPECT_TRUE(view().shown.empty());
    release(3);
    EXPECT_EQ(recorder.commands, std::vector<int32_t>{7});
    EXPECT_EQ(bar.highlighted(), -1);
    // Pressed on it, released elsewhere: nothing.
    press(3);
    release(0);
    EXPECT_EQ(recorder.commands, std::vector<int32_t>{7});
    EXPECT_EQ(bar.highlighted(), -1);
}

TEST_F(MenuBarTest, TicksAndTheRadioBulletAreFoundInEveryMenuAndNestedMenu)
{
    MenuEx& bar = makeBar();
    PopupMenu* nested = PopupMenu::take();
    nested->setText(u"More");
    nested->append(MenuItem::fromText(u"Deep", 9));
    bar.menuAt(1)->appendSubmenu(nested);

    for (int32_t command : {1, 2, 3, 7, 9}) {
        SCOPED_TRACE(command);
        EXPECT_FALSE(bar.isChecked(command));
        EXPECT_TRUE(bar.setChecked(command, true));
        EXPECT_TRUE(bar.isChecked(command));
        EXPECT_TRUE(bar.setChecked(command, false));
        EXPECT_FALSE(bar.isChecked(command));
    }
    EXPECT_FALSE(bar.setChecked(42, true));
    EXPECT_FALSE(bar.isChecked(42));
    EXPECT_TRUE(bar.chooseCommand(9));

    PopupMenu& file = *bar.menuAt(0);
    file.setRadioAt(2);
    EXPECT_EQ(file.radioPosition(), 2);
    EXPECT_TRUE(file.itemAt(2)->isRadioSelected());
    file.setRadioAt(0);
    EXPECT_TRUE(file.itemAt(0)->isRadioSelected());
    EXPECT_FALSE(file.itemAt(2)->isRadioSelected());
    file.setRadioAt(5);  // no such line: no bullet anywhere
    EXPECT_EQ(file.radioPosition(), -1);
    EXPECT_FALSE(file.itemAt(0)->isRadioSelected());
}

TEST_F(MenuBarTest, AMenuFollowsTheLanguageKeepingItsMarks)
{
    PopupMenu* menu = PopupMenu::fromTextId(609000, m_localizer.get());
    menu->append(MenuItem::fromTextId(609100, m_localizer.get(), 100, true));
    menu->append(MenuItem::fromText(u"Magyar", 2));
    menu->setRadioAt(1);
    m_bar = MenuEx::take();
    m_bar->appendMenu(menu);
    m_window->addChild(m_bar);
    const int32_t englishWidth = m_bar->entryRect(0).width;
    EXPECT_EQ(menu->text(), u"View");
    EXPECT_EQ(menu->itemAt(0)->text(), u"Keep on Top");

    ASSERT_TRUE(m_localizer->selectLanguage(u"German"));
    EXPECT_EQ(menu->text(), m_localizer->text(609000));
    EXPECT_NE(menu->text(), u"View");
    EXPECT_EQ(menu->itemAt(0)->text(), m_localizer->text(609100));
    EXPECT_EQ(menu->itemAt(1)->text(), u"Magyar");
    EXPECT_TRUE(menu->itemAt(0)->isTicked());
    EXPECT_TRUE(menu->itemAt(1)->isRadioSelected());
    // The bar measures the new title when it is told (the window's texts are).
    m_bar->updateLanguage();
    EXPECT_EQ(m_bar->entryRect(0).width,
              static_cast<int32_t>(menu->text().size()) * kCharWidth + 2 * MenuEx::kEntryPaddingX);
    EXPECT_NE(m_bar->entryRect(0).width, englishWidth);
}

// --- The main window's menus -------------------------------------------------------------

std::vector<std::u16string>& openedPages()
{
    static std::vector<std::u16string> pages;
    return pages;
}

bool recordPage(const char16_t* address)
{
    openedPages().push_back(address);
    return true;
}

class MainMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        s::platform::setScreenGeometryOverride(&kOneMonitor);
        m_previousOpener = s::platform::setWebPageOpener(&recordPage);
        openedPages().clear();
        m_context.hold(AppBase::take());
        m_context->adoptLocalizer(packInEnglish());
        m_context->adoptStore(s::xml::MappedData::inMemory());
        m_appWindow.hold(AppWindow::take());
        m_appWindow->initialise(m_context.get(), AppWindow::kMainWindowName, 250, 250, AppWindow::kClose);
        m_dialog = Dialog::take();
        m_dialog->setUp(m_appWindow.get());
        m_dialog->setMessageShower([](std::u16string_view, std::u16string_view) {});
        m_dialog->buildAndRun(m_host);
        ASSERT_NE(m_dialog->menuBar(), nullptr);
    }
    void TearDown() override
    {
        if (m_host.nativeWindow)
            m_host.nativeWindow->userCloses();
        if (m_dialog)
            m_dialog->release();
        m_appWindow.clear();
        m_context.clear();
        s::platform::setWebPageOpener(m_previousOpener);
        s::platform::setScreenGeometryOverride(nullptr);
    }

    // The user picks an item: the bar hears the command from its pop-up.
    bool choose(int32_t command) { return menuBar().chooseCommand(command); }
    MenuEx& menuBar() { return *m_dialog->menuBar(); }
    s::lang::Localizer& localizer() { return *m_context->localizer(); }
    s::map::IMappedData& store() { return *m_context->settingsStore(); }
    FakeNativeWindow& native() { return *m_host.nativeWindow; }
    std::vector<int32_t> commandsOf(const PopupMenu& menu)
    {
        std::vector<int32_t> commands;
        for (int32_t i = 0; i < menu.itemCount(); ++i)
            commands.push_back(menu.itemAt(i)->isSeparator() ? -1 : menu.itemAt(i)->command());
        return commands;
    }

    Pooled<AppBase> m_context;
    Pooled<AppWindow> m_appWindow;
    FakeWindowHost m_host;
    Dialog* m_dialog = nullptr;
    s::platform::WebPageOpener m_previousOpener = nullptr;
};

TEST_F(MainMenu, AFirstStartHasViewLanguageAndAboutWithFourTickedViewItems)
{
    MenuEx& bar = menuBar();
    ASSERT_EQ(bar.entryCount(), 3);
    EXPECT_EQ(bar.entryText(0), u"View");
    EXPECT_EQ(bar.entryText(1), u"Language");
    EXPECT_EQ(bar.entryText(2), u"About");
    // The bar is the window's first child, across its top.
    EXPECT_EQ(m_dialog->window()->child(0), static_cast<s::gui::IComponent*>(&bar));
    EXPECT_EQ(bar.y(), 0);
    EXPECT_EQ(bar.height(), Dialog::kMenuBarHeight);
    EXPECT_EQ(bar.width(), m_dialog->window()->innerWidth());

    const PopupMenu& view = *m_dialog->viewMenu();
    EXPECT_EQ(commandsOf(view), (std::vector<int32_t>{100, 110, 120, 125}));
    const std::vector<std::u16string> texts{u"Keep on Top", u"Right-Click Transform", u"Easy Drag",
                                            u"Close By Mouse-Wheel Click"};
    for (int32_t i = 0; i < view.itemCount(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(view.itemAt(i)->text(), texts[static_cast<size_t>(i)]);
        EXPECT_TRUE(view.itemAt(i)->isTicked());
    }

    const PopupMenu& about = *m_dialog->aboutMenu();
    EXPECT_EQ(commandsOf(about), (std::vector<int32_t>{10000, -1, 10100, 10200, -1, 10900}));
    EXPECT_EQ(about.itemAt(0)->text(), u"Version Information");
    EXPECT_EQ(about.itemAt(5)->text(), u"More Software from Vosk (online)");

    const PopupMenu& languages = *m_dialog->languageMenu();
    ASSERT_EQ(languages.itemCount(), localizer().languageCount() + 2);
    EXPECT_EQ(languages.itemAt(0)->text(), u"Translate? (online)");
    EXPECT_EQ(languages.itemAt(0)->command(), 0);
    EXPECT_TRUE(languages.itemAt(1)->isSeparator());
    for (int32_t i = 0; i < localizer().languageCount(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(languages.itemAt(i + 2)->text(), localizer().languageAt(i)->trueName().view());
        EXPECT_EQ(languages.itemAt(i + 2)->command(), i + 2);
    }
    EXPECT_EQ(languages.radioPosition(), languageIndex(localizer(), u"English") + 2);
    EXPECT_TRUE(languages.itemAt(languages.radioPosition())->isRadioSelected());
}

TEST_F(MainMenu, EachViewItemTogglesItsBehaviourTwiceAndStoresIt)
{
    struct Case {
        int32_t command;
        std::function<bool()> behaviourOn;  // what the window does now
        std::function<bool()> storedOn;     // what the next start reads
    };
    s::gui::win::Window& window = *m_dialog->window();
    const std::vector<Case> cases{
        {100, [&] { return native().topmost && m_dialog->keepOnTopBox()->isChecked(); },
         [&] { return store().getBool(kView, u"KeepOnTop", true); }},
        {110, [&] { return m_dialog->rightClickTransform(); },
         [&] { return store().getBool(kView, u"RightClickTransform", true); }},
        {120, [&] { return m_appWindow->easyDrag(); }, [&] { return store().getBool(kView, u"EasyDrag", true); }},
        {125, [&] { return window.middleClickAction() == s::gui::win::Window::MiddleClickAction::kClose; },
         [&] { return std::u16string(store().getString(kView, u"OnMClick", u"?")) == u"Close"; }},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.command);
        EXPECT_TRUE(each.behaviourOn());
        for (bool expected : {false, true}) {
            ASSERT_TRUE(choose(each.command));
            EXPECT_EQ(menuBar().isChecked(each.command), expected);
            EXPECT_EQ(each.behaviourOn(), expected);
            EXPECT_EQ(each.storedOn(), expected);
        }
    }
    // Turning the middle click off stores the word "DoNothing", not nothing.
    ASSERT_TRUE(choose(125));
    EXPECT_EQ(std::u16string(store().getString(kView, u"OnMClick", u"?")), u"DoNothing");
}

TEST_F(MainMenu, TheViewItemsChangeWhatClicksOnTheWindowDo)
{
    s::gui::win::Window& window = *m_dialog->window();
    // Right-Click Transform off: a right click leaves the view alone; on again, it switches.
    ASSERT_TRUE(choose(110));
    window.raise(events::kWindowRightButtonDown);
    EXPECT_TRUE(m_dialog->isCompactView());
    ASSERT_TRUE(choose(110));
    window.raise(events::kWindowRightButtonDown);
    EXPECT_FALSE(m_dialog->isCompactView());

    // Close By Mouse-Wheel Click off: a middle click does nothing; on again, it closes.
    ASSERT_TRUE(choose(125));
    window.onMiddleButtonDown();
    EXPECT_FALSE(native().isClosed());
    ASSERT_TRUE(choose(125));
    window.onMiddleButtonDown();
    EXPECT_TRUE(native().isClosed());
}

TEST_F(MainMenu, TheKeepOnTopBoxLeavesTheMenuTickAlone)
{
    viewOf(m_dialog->keepOnTopBox())->checked = false;
    m_dialog->keepOnTopBox()->onNativeChange();
    EXPECT_FALSE(native().topmost);
    EXPECT_TRUE(menuBar().isChecked(100));
    // The item then takes the opposite of its own tick.
    ASSERT_TRUE(choose(100));
    EXPECT_FALSE(menuBar().isChecked(100));
    EXPECT_FALSE(m_dialog->keepOnTopBox()->isChecked());
    EXPECT_FALSE(native().topmost);
}

TEST_F(MainMenu, MagyarSwitchesEveryTextOfTheWindowAndIsStored)
{
    native().title = u"stale";
    const int32_t english = languageIndex(localizer(), u"English");
    const int32_t hungarian = languageIndex(localizer(), u"Hungarian");
    ASSERT_GE(hungarian, 0);
    const PopupMenu& languages = *m_dialog->languageMenu();
    ASSERT_EQ(languages.itemAt(hungarian + 2)->text(), u"Magyar");

    ASSERT_TRUE(choose(hungarian + 2));
    ASSERT_EQ(localizer().currentLanguage()->engName().view(), u"Hungarian");
    EXPECT_EQ(std::u16string(store().getString(u"Language", u"", u"?")), u"Hungarian");
    EXPECT_EQ(languages.radioPosition(), hungarian + 2);
    EXPECT_TRUE(languages.itemAt(hungarian + 2)->isRadioSelected());
    EXPECT_FALSE(languages.itemAt(english + 2)->isRadioSelected());
    EXPECT_EQ(native().title, m_appWindow->title());

    // Every control with a text id shows its Hungarian text, on screen too.
    int controlsWithText = 0;
    int groups = 0;
    std::function<void(s::gui::IComponent&)> check = [&](s::gui::IComponent& component) {
        if (auto* control = dynamic_cast<s::gui::win::Control*>(&component); control && control->textId() > 0) {
            SCOPED_TRACE(control->textId());
            EXPECT_EQ(control->text(), localizer().text(control->textId()));
            EXPECT_EQ(viewOf(control)->shownText, control->text());
            ++controlsWithText;
        }
        if (auto* group = dynamic_cast<s::gui::win::GroupBox*>(&component)) {
            EXPECT_TRUE(group->title() == localizer().text(Dialog::kTextDropBox) ||
                        group->title() == localizer().text(1105000))
                << std::string(group->title().begin(), group->title().end());
            ++groups;
        }
        for (int32_t i = 0; i < component.childCount(); ++i)
            check(*component.child(i));
    };
    check(*m_dialog->window());
    EXPECT_GE(controlsWithText, 6);
    EXPECT_EQ(groups, 3);  // the drop box and a strength box per operation
    EXPECT_EQ(m_dialog->modeCombo()->itemText(0), localizer().text(1101000));
    EXPECT_EQ(m_dialog->modeCombo()->itemText(1), localizer().text(1102000));
    EXPECT_EQ(viewOf(m_dialog->modeCombo())->items,
              (std::vector<std::u16string>{localizer().text(1101000), localizer().text(1102000)}));

    // The menu bar's titles and the items of every menu.
    const std::vector<int32_t> titles{609000, 700000, 701000};
    for (int32_t i = 0; i < 3; ++i)
        EXPECT_EQ(menuBar().entryText(i), localizer().text(titles[static_cast<size_t>(i)]));
    EXPECT_EQ(m_dialog->viewMenu()->itemAt(2)->text(), localizer().text(609300));
    EXPECT_EQ(m_dialog->aboutMenu()->itemAt(0)->text(), localizer().text(701100));
    EXPECT_EQ(languages.itemAt(0)->text(), localizer().text(700001));
    // The translation really differs from the English text.
    EXPECT_NE(menuBar().entryText(0), u"View");
    EXPECT_NE(m_dialog->modeCombo()->itemText(0), u"Sharpen");
    // The ticks stay as they were.
    EXPECT_TRUE(menuBar().isChecked(100));
    EXPECT_TRUE(menuBar().isChecked(125));
}

TEST_F(MainMenu, ChoosingTheCurrentLanguageChangesNothing)
{
    native().title = u"stale";
    const int32_t english = languageIndex(localizer(), u"English");
    const std::u16string keepOnTopText = m_dialog->keepOnTopBox()->text();
    ASSERT_TRUE(choose(english + 2));
    EXPECT_EQ(native().title, u"stale");
    EXPECT_FALSE(store().valueExists(u"Language", u""));
    EXPECT_EQ(m_dialog->languageMenu()->radioPosition(), english + 2);
    EXPECT_EQ(m_dialog->keepOnTopBox()->text(), keepOnTopText);
}

TEST_F(MainMenu, PageItemsOpenTheirPagesAndTheRestOpenNone)
{
    struct Case {
        int32_t command;
        int32_t page;  // text id of the address, 0 for none
    };
    for (const Case& each : {Case{0, 108500}, Case{10100, 500003}, Case{10200, 500004}, Case{10900, 108000},
                             Case{10000, 0}}) {
        SCOPED_TRACE(each.command);
        openedPages().clear();
        ASSERT_TRUE(choose(each.command));
        if (each.page == 0) {
            EXPECT_TRUE(openedPages().empty());
        } else {
            ASSERT_EQ(openedPages().size(), 1u);
            EXPECT_EQ(openedPages()[0], localizer().text(each.page));
            EXPECT_NE(openedPages()[0], u"");
        }
    }
    // A number no item sends never reaches the dialog.
    openedPages().clear();
    EXPECT_FALSE(choose(5000));
    EXPECT_TRUE(openedPages().empty());
    EXPECT_EQ(menuBar().lastCommand(), 10000);
}

}  // namespace
