// The menu bar on a real window, headless under Wine's null driver: its
// drawing, a command arriving from the native side, and a real pop-up menu
// driven with the keyboard and the mouse position as the user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/win/AppBase.h"
#include "app/win/AppWindow.h"
#include "dialogs/pellory/Dialog.h"
#include "gui/dialogs/About3.h"
#include "gui/menuitem/MenuItem.h"
#include "gui/win/Controls.h"
#include "gui/win/MenuEx.h"
#include "gui/win/PopupMenu.h"
#include "gui/win/Window.h"
#include "gui/win/native/ControlViews.h"
#include "gui/win/native/MenuBarView.h"
#include "gui/win/native/GuiFont.h"
#include "gui/win/native/MenuDrawer.h"
#include "gui/win/native/NativeView.h"
#include "gui/win/native/TopWindowView.h"
#include "gui/win/native/WindowHost.h"
#include "lang/LangPack.h"
#include "lang/Localizer.h"
#include "thread/Pooled.h"
#include "xml/MappedData.h"

#include "DibPicture.h"

namespace {

using s::app::win::AppBase;
using s::app::win::AppWindow;
using s::gui::win::MenuEx;
using s::gui::win::native::ButtonView;
using s::gui::win::native::MenuBarView;
using s::gui::win::native::NativeView;
using s::gui::win::native::TopWindowView;
using s::image::gui::dialogs::pellory::Dialog;
using s::thread::Pooled;
using windows_test::DibPicture;
using Clock = std::chrono::steady_clock;

bool waitUntil(const std::function<bool()>& done, int milliseconds = 10000)
{
    const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (Clock::now() > end)
            return false;
        Sleep(5);
    }
    return true;
}

HWND handleOf(const s::gui::IComponent* component)
{
    const auto* view = component ? dynamic_cast<const NativeView*>(component->nativeView()) : nullptr;
    return view ? view->handle() : nullptr;
}

std::wstring classOf(HWND window)
{
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

std::wstring textOf(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::wstring wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// The open pop-up menu of this process (the system's menu window class), or null.
HWND openPopup()
{
    struct Search {
        HWND found = nullptr;
    } search;
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == GetCurrentProcessId() && IsWindowVisible(window) && classOf(window) == L"#32768") {
                reinterpret_cast<Search*>(data)->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// How many lines the open pop-up has: tells the View menu (4) from the About menu (6).
int openPopupLines()
{
    HWND popup = openPopup();
    if (!popup)
        return -1;
    DWORD_PTR menu = 0;
    if (!SendMessageTimeoutW(popup, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 2000, &menu) || !menu)
        return -1;
    return GetMenuItemCount(reinterpret_cast<HMENU>(menu));
}

RECT toRect(const MenuEx::Rect& r) { return RECT{r.x, r.y, r.x + r.width, r.y + r.height}; }

// The main dialog on its own window thread, over an in-memory store.
class MenuBarWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_context.hold(AppBase::take());
        m_context->adoptLocalizer(s::lang::Localizer::loadLocalizer());
        m_context->localizer()->selectLanguage(u"English");
        m_context->adoptStore(s::xml::MappedData::inMemory());
        m_appWindow.hold(AppWindow::take());
        m_appWindow->initialise(m_context.get(), AppWindow::kMainWindowName, 250, 250, AppWindow::kClose);
        m_dialog = Dialog::take();
        m_dialog->setUp(m_appWindow.get());
        m_dialog->setMessageShower([](std::u16string_view, std::u16string_view) {});
        m_startUp = std::thread([this] { m_dialog->buildAndRun(m_host); });
        ASSERT_TRUE(waitUntil([this] {
            m_top = m_host.windowHandle();
            return m_top && IsWindowVisible(m_top);
        }));
        m_bar = handleOf(m_dialog->menuBar());
        ASSERT_NE(m_bar, nullptr);
    }
    void TearDown() override
    {
        if (HWND popup = openPopup())
            PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        if (m_top && IsWindow(m_top))
            PostMessageW(m_top, WM_CLOSE, 0, 0);
        if (m_startUp.joinable())
            m_startUp.join();
        if (m_dialog)
            m_dialog->release();
        m_appWindow.clear();
        m_context.clear();
    }

    // Reads the dialog's state on its own thread.
    template <class T>
    T onWindowThread(const std::function<T()>& read)
    {
        T value{};
        m_host.runOnWindowThread([&] { value = read(); });
        return value;
    }
    MenuEx::Rect entryRect(int32_t entry)
    {
        return onWindowThread<MenuEx::Rect>([&] { return m_dialog->menuBar()->entryRect(entry); });
    }
    POINT entryCentreOnScreen(int32_t entry)
    {
        const MenuEx::Rect r = entryRect(entry);
        POINT centre{r.x + r.width / 2, r.y + r.height / 2};
        ClientToScreen(m_bar, &centre);
        return centre;
    }
    void pressOn(int32_t entry)
    {
        const MenuEx::Rect r = entryRect(entry);
        PostMessageW(m_bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.x + r.width / 2, r.y + r.height / 2));
    }
    void key(WPARAM virtualKey) { PostMessageW(m_bar, WM_KEYDOWN, virtualKey, 0); }
    bool easyDragOn()
    {
        return onWindowThread<bool>([&] { return m_appWindow->easyDrag(); }) && TopWindowView::hasEasyDrag(m_top);
    }

    Pooled<AppBase> m_context;
    Pooled<AppWindow> m_appWindow;
    s::gui::win::native::WindowHost m_host;
    Dialog* m_dialog = nullptr;
    std::thread m_startUp;
    HWND m_top = nullptr;
    HWND m_bar = nullptr;
};

TEST_F(MenuBarWindow, TheBarDrawsEachEntryAndNothingBesideThem)
{
    EXPECT_EQ(classOf(m_bar), MenuBarView::kClassName);
    RECT client{};
    ASSERT_TRUE(GetClientRect(m_bar, &client));
    RECT topClient{};
    GetClientRect(m_top, &topClient);
    EXPECT_EQ(client.right, topClient.right);
    EXPECT_EQ(client.bottom, Dialog::kMenuBarHeight);

    DibPicture picture(client.right, client.bottom);
    SendMessageW(m_bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.dc()), PRF_CLIENT);
    const COLORREF background = GetSysColor(COLOR_BTNFACE);
    const int32_t entries = onWindowThread<int32_t>([&] { return m_dialog->menuBar()->entryCount(); });
    ASSERT_EQ(entries, 3);
    for (int32_t i = 0; i < entries; ++i) {
        SCOPED_TRACE(i);
        EXPECT_GT(picture.countOther(toRect(entryRect(i)), background), 10);
    }
    const LONG end = entryRect(2).x + entryRect(2).width;
    EXPECT_EQ(picture.countOther(RECT{end, 0, client.right, client.bottom}, background), 0);

    // The bar lets presses beside its entries through to the window (easy drag), not on them.
    POINT onEntry = entryCentreOnScreen(1);
    POINT beside{end + 10, 5};
    ClientToScreen(m_bar, &beside);
    EXPECT_EQ(SendMessageW(m_bar, WM_NCHITTEST, 0, MAKELPARAM(onEntry.x, onEntry.y)), HTCLIENT);
    EXPECT_EQ(SendMessageW(m_bar, WM_NCHITTEST, 0, MAKELPARAM(beside.x, beside.y)), HTTRANSPARENT);
}

TEST(MenuDrawerTest, TheActiveEntrySitsOnTheHighlightWithItsText)
{
    s::gui::win::native::drawers::MenuDrawer drawer;
    DibPicture picture(200, 19);
    const COLORREF background = RGB(236, 233, 216);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all{0, 0, 200, 19};
    FillRect(picture.dc(), &all, brush);
    DeleteObject(brush);
    const std::vector<s::gui::win::native::drawers::MenuBarEntry> entries{
        {u"View", RECT{0, 0, 40, 19}}, {u"Language", RECT{40, 0, 100, 19}}, {u"About", RECT{100, 0, 140, 19}}};
    drawer.paint(picture.dc(), entries, s::gui::win::native::guiFont(), 6, 0, 1, false);

    // The active entry: filled with the highlight, text in the highlight text colour.
    EXPECT_EQ(picture.at(40, 0), drawer.highlightColour());
    EXPECT_EQ(picture.at(99, 18), drawer.highlightColour());
    EXPECT_GT(picture.countOf(RECT{46, 0, 94, 19}, drawer.highlightTextColour()), 10);
    // The others: text on the untouched background.
    for (const RECT& other : {RECT{0, 0, 40, 19}, RECT{100, 0, 140, 19}}) {
        EXPECT_EQ(picture.at(other.left, 0), background);
        EXPECT_GT(picture.countOther(other, background), 10);
        EXPECT_EQ(picture.countOf(other, drawer.highlightColour()), 0);
    }
    EXPECT_EQ(picture.countOther(RECT{140, 0, 200, 19}, background), 0);
}

TEST_F(MenuBarWindow, ACommandFromThePopupReachesTheDialog)
{
    ASSERT_TRUE(easyDragOn());
    // What the pop-up sends to its owner when an item is chosen.
    PostMessageW(m_bar, WM_COMMAND, MAKEWPARAM(Dialog::kCommandEasyDrag, 0), 0);
    EXPECT_TRUE(waitUntil([&] { return !easyDragOn(); }));
    EXPECT_FALSE(onWindowThread<bool>([&] { return m_dialog->menuBar()->isChecked(120); }));

    // A language: the window's texts change on the window.
    const int32_t hungarian = onWindowThread<int32_t>([&] {
        s::lang::Localizer& localizer = *m_context->localizer();
        return localizer.indexOf(localizer.findLanguage(u"Hungarian"));
    });
    ASSERT_GE(hungarian, 0);
    PostMessageW(m_bar, WM_COMMAND, MAKEWPARAM(hungarian + 2, 0), 0);
    // The posted command waits behind the messages this thread sends.
    ASSERT_TRUE(waitUntil([&] {
        return onWindowThread<bool>(
            [&] { return m_context->localizer()->currentLanguage()->engName().view() == u"Hungarian"; });
    }));
    HWND keepOnTop = handleOf(m_dialog->keepOnTopBox());
    const std::wstring expected =
        onWindowThread<std::wstring>([&] { return wide(m_context->localizer()->text(1000000)); });
    EXPECT_EQ(textOf(keepOnTop), expected);
    EXPECT_NE(expected, L"Keep on Top");
    EXPECT_EQ(textOf(m_top), wide(onWindowThread<std::u16string>([&] { return m_appWindow->title(); })));
}

TEST_F(MenuBarWindow, ThePopupOpensUnderItsEntryAndTheKeyboardChoosesAnItem)
{
    SetCursorPos(0, 0);
    pressOn(0);  // View
    ASSERT_TRUE(waitUntil([] { return openPopup() != nullptr; }));
    EXPECT_EQ(openPopupLines(), 4);
    RECT popup{};
    GetWindowRect(openPopup(), &popup);
    POINT corner{entryRect(0).x, entryRect(0).y + entryRect(0).height};
    ClientToScreen(m_bar, &corner);
    EXPECT_EQ(popup.left, corner.x);
    EXPECT_EQ(popup.top, corner.y);
    EXPECT_EQ(onWindowThread<int32_t>([&] { return m_dialog->menuBar()->highlighted(); }), 0);

    // Down to the third line, "Easy Drag", and choose it.
    for (int i = 0; i < 3; ++i)
        key(VK_DOWN);
    key(VK_RETURN);
    EXPECT_TRUE(waitUntil([&] { return !easyDragOn(); }));
    EXPECT_TRUE(waitUntil([] { return openPopup() == nullptr; }));
    EXPECT_EQ(onWindowThread<int32_t>([&] { return m_dialog->menuBar()->highlighted(); }), -1);
}

TEST_F(MenuBarWindow, MovingOntoAnotherEntryWhileOpenShowsItsPopup)
{
    SetCursorPos(0, 0);
    pressOn(0);  // View
    ASSERT_TRUE(waitUntil([] { return openPopupLines() == 4; }));
    const POINT about = entryCentreOnScreen(2);
    SetCursorPos(about.x, about.y);
    EXPECT_TRUE(waitUntil([] { return openPopupLines() == 6; }));
    EXPECT_EQ(onWindowThread<int32_t>([&] { return m_dialog->menuBar()->highlighted(); }), 2);
    key(VK_ESCAPE);
    EXPECT_TRUE(waitUntil([] { return openPopup() == nullptr; }));
    SetCursorPos(0, 0);
}

}  // namespace

// The About window from the menu: modal, in the "Classic LG" thin frame, its
// buttons drawn by the skin.
TEST_F(MenuBarWindow, VersionInformationOpensTheAboutWindowInItsSkin)
{
    PostMessageW(m_bar, WM_COMMAND, MAKEWPARAM(Dialog::kCommandVersionInformation, 0), 0);
    // Shown once built on its own thread; the main window's thread answers
    // while it waits for that, so the state is read until it is complete.
    s::gui::dialogs::About3* about = nullptr;
    const TopWindowView* frame = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        about = onWindowThread<s::gui::dialogs::About3*>([&] { return m_dialog->about(); });
        s::gui::win::Window* window = about && about->isOpen() ? about->window() : nullptr;
        frame = window ? dynamic_cast<const TopWindowView*>(window->nativeWindow()) : nullptr;
        return frame && IsWindowVisible(frame->handle()) && !IsWindowEnabled(m_top);
    }));
    HWND window = frame->handle();
    RECT outer{};
    GetWindowRect(window, &outer);
    const int32_t width = outer.right - outer.left;
    const int32_t height = outer.bottom - outer.top;

    // The frame: a line of the grey 17 around a fill of the grey 116.
    DibPicture framePicture(width, height);
    frame->paintFrame(framePicture.dc(), width, height);
    const COLORREF line = RGB(17, 17, 17);
    const COLORREF fill = RGB(116, 116, 116);
    for (POINT p : {POINT{0, 0}, POINT{width - 1, 0}, POINT{0, height - 1}, POINT{width - 1, height - 1},
                    POINT{width / 2, 0}, POINT{0, height / 2}})
        EXPECT_EQ(framePicture.at(p.x, p.y), line) << p.x << ", " << p.y;
    for (POINT p : {POINT{1, 1}, POINT{2, height / 2}, POINT{width - 2, height - 2}})
        EXPECT_EQ(framePicture.at(p.x, p.y), fill) << p.x << ", " << p.y;

    // The small cross: its border shaded from the grey 17, the cross inside.
    const auto* cross = dynamic_cast<const ButtonView*>(about->smallCloseButton()->nativeView());
    ASSERT_NE(cross, nullptr);
    struct Look {
        int32_t state;
        BYTE top, right, bottom, left;  // the edges' greys
        POINT firstSquare;
    };
    // 17 x 1.05, 0.9, 0.85, 1.0 normally; x 0.85, 1.0, 1.05, 0.9 pressed, content one pixel on.
    const Look looks[] = {{0, 17, 15, 14, 17, {21, 3}}, {2, 14, 17, 17, 15, {22, 4}}};
    for (const Look& look : looks) {
        SCOPED_TRACE(look.state);
        DibPicture button(50, 14);
        ASSERT_TRUE(cross->paintSkinned(button.dc(), 50, 14, look.state));
        EXPECT_EQ(button.at(10, 0), RGB(look.top, look.top, look.top));
        EXPECT_EQ(button.at(49, 7), RGB(look.right, look.right, look.right));
        EXPECT_EQ(button.at(10, 13), RGB(look.bottom, look.bottom, look.bottom));
        EXPECT_EQ(button.at(0, 7), RGB(look.left, look.left, look.left));
        EXPECT_EQ(button.at(0, 0), fill);  // corners left unpainted
        EXPECT_EQ(button.at(look.firstSquare.x, look.firstSquare.y), line);
        EXPECT_EQ(button.at(look.firstSquare.x + 1, look.firstSquare.y + 1), line);
    }
    // "Close" in white on the face.
    const auto* close = dynamic_cast<const ButtonView*>(about->closeButton()->nativeView());
    ASSERT_NE(close, nullptr);
    DibPicture closePicture(100, 20);
    ASSERT_TRUE(close->paintSkinned(closePicture.dc(), 100, 20, 0));
    EXPECT_GT(closePicture.countOf(RECT{2, 2, 98, 18}, RGB(255, 255, 255)), 10);

    // The cross closes it, and the main window takes input again.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(cross->handle(), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(window) && IsWindowEnabled(m_top); }));
}
