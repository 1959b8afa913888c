// The Win32 adapter under the portable toolkit, with real windows on a user-interface
// thread of their own (headless under Wine's null driver): the native children sit where
// the portable layout put them, user changes come back to the controls' listeners, drops
// arrive whole, status events are handled synchronously on the window's thread, and a
// close ends the host.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "gui/IWindowHost.h"
#include "gui/events/EventTypes.h"
#include "gui/events/IEventListener.h"
#include "gui/win/Box.h"
#include "gui/win/Controls.h"
#include "gui/win/StatusBar.h"
#include "gui/win/Window.h"
#include "gui/win/native/Drawers.h"
#include "gui/win/native/DroppedFiles.h"
#include "gui/win/native/GuiFont.h"
#include "gui/win/native/NativeView.h"
#include "gui/win/native/TopWindowView.h"

#include "DibPicture.h"

namespace {

using s::gui::IComponent;
using s::gui::win::Box;
using s::gui::win::Button;
using s::gui::win::CheckBox;
using s::gui::win::ComboBox;
using s::gui::win::Label;
using s::gui::win::NumberField;
using s::gui::win::Slider;
using s::gui::win::Window;
using s::gui::win::native::NativeView;
using s::gui::win::native::TopWindowView;
using windows_test::DibPicture;
namespace events = s::gui::events;

// Every event a source reported, with the thread it arrived on.
class Recorder : public events::IEventListener {
public:
    struct Event {
        s::base::IObject* source;
        int32_t type;
        DWORD thread;
    };
    void onEvent(s::base::IObject* source, int32_t type) override
    {
        m_events.push_back({source, type, GetCurrentThreadId()});
        if (m_onEvent)
            m_onEvent();
    }
    const std::vector<Event>& events() const { return m_events; }
    void clear() { m_events.clear(); }
    void setOnEvent(std::function<void()> action) { m_onEvent = std::move(action); }

private:
    std::vector<Event> m_events;
    std::function<void()> m_onEvent;
};

HWND handleOf(const IComponent* component)
{
    const auto* view = component ? dynamic_cast<const NativeView*>(component->nativeView()) : nullptr;
    return view ? view->handle() : nullptr;
}

std::wstring windowText(HWND window)
{
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return buffer;
}

// A DROPFILES block as the shell makes it: wide paths, each ended by a zero, and a
// final zero (two zeros for an empty list). The receiver owns it after WM_DROPFILES
// (DragFinish frees it).
HGLOBAL makeDrop(const std::vector<std::wstring>& paths)
{
    size_t characters = paths.empty() ? 2 : 1;
    for (const std::wstring& path : paths)
        characters += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + characters * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* cursor = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(header) + sizeof(DROPFILES));
    for (const std::wstring& path : paths) {
        std::memcpy(cursor, path.c_str(), path.size() * sizeof(wchar_t));
        cursor += path.size() + 1;
    }
    GlobalUnlock(memory);
    return memory;
}

std::wstring longPath(size_t length)
{
    std::wstring path = L"C:\\";
    for (int folder = 0; path.size() < length; ++folder)
        path += L"folder" + std::to_wstring(folder) + L"\\";
    path.resize(length - 4);
    return path + L".png";
}

// A window on its own thread with a column of the common controls over a box that
// takes the rest of the height and accepts drops.
class NativeToolkitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_host = s::gui::makeWindowHost();
        ASSERT_NE(m_host, nullptr);
        m_window = Window::take();
        s::gui::WindowOptions options;
        options.title = u"Native toolkit test";
        options.width = 320;
        options.height = 360;
        ASSERT_TRUE(m_host->start(*m_window, options, [this] { build(); }));
        m_hwnd = static_cast<TopWindowView*>(m_window->nativeWindow())->handle();
        ASSERT_NE(m_hwnd, nullptr);
    }

    void TearDown() override
    {
        if (m_hwnd && IsWindow(m_hwnd))
            PostMessageW(m_hwnd, WM_CLOSE, 0, 0);
        if (m_host)
            m_host->waitClosed();
        // The native windows are gone; the tree goes back to its pools on this thread.
        if (m_window)
            m_window->release();
    }

    void build()
    {
        m_column = Box::makeBox(100, 100, 0, 0, 0, 4, 6, 6, s::gui::kLayoutColumn);
        m_label = Label::take();
        m_label->setClickable(true);
        m_label->setText(u"Strength:");
        m_checkBox = CheckBox::take();
        m_checkBox->setText(u"Keep on Top");
        m_combo = ComboBox::take();
        m_combo->addItem({0, u"Sharpen", nullptr});
        m_combo->addItem({0, u"Blur", nullptr});
        m_combo->setWidthPercent(100);
        m_slider = Slider::take();
        m_slider->setRange(0, 100);
        m_slider->setWidthPercent(100);
        m_field = NumberField::take();
        m_button = Button::take();
        m_button->setText(u"Advanced Options >>");
        m_dropBox = Box::makeBox(100, 100, 0, 0, 0, 0, 0, 0, s::gui::kLayoutColumn);
        for (IComponent* child : std::vector<IComponent*>{m_label, m_checkBox, m_combo, m_slider, m_field, m_button,
                                                          m_dropBox})
            m_column->addChild(child);
        m_window->addChild(m_column);
        m_window->setVisible(true, true);
    }

    void onWindowThread(const std::function<void()>& task) { m_host->runOnWindowThread(task); }

    // The component's rectangle in the window's client area, by the portable record.
    static RECT portableRect(const IComponent& component)
    {
        int32_t x = component.x() + component.offsetX();
        int32_t y = component.y() + component.offsetY();
        for (const IComponent* parent = component.parent(); parent && parent->parent(); parent = parent->parent()) {
            x += parent->x() + parent->offsetX();
            y += parent->y() + parent->offsetY();
        }
        return RECT{x, y, x + component.width(), y + component.height()};
    }

    RECT nativeRect(const IComponent& component) const
    {
        RECT rect{};
        GetWindowRect(handleOf(&component), &rect);
        MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    std::unique_ptr<s::gui::IWindowHost> m_host;
    Window* m_window = nullptr;
    HWND m_hwnd = nullptr;
    Box* m_column = nullptr;
    Label* m_label = nullptr;
    CheckBox* m_checkBox = nullptr;
    ComboBox* m_combo = nullptr;
    Slider* m_slider = nullptr;
    NumberField* m_field = nullptr;
    Button* m_button = nullptr;
    Box* m_dropBox = nullptr;
};

TEST_F(NativeToolkitTest, NativeChildrenSitWhereTheLayoutPutThem)
{
    onWindowThread([&] {
        const std::vector<const IComponent*> components{m_column, m_label,  m_checkBox, m_combo,
                                                        m_slider, m_field, m_button,   m_dropBox};
        for (const IComponent* component : components) {
            ASSERT_NE(handleOf(component), nullptr);
            const RECT expected = portableRect(*component);
            const RECT actual = nativeRect(*component);
            SCOPED_TRACE(testing::Message() << "component at y " << expected.top);
            EXPECT_EQ(actual.left, expected.left);
            EXPECT_EQ(actual.top, expected.top);
            EXPECT_EQ(actual.right, expected.right);
            // A drop-down list's window is its closed field, whose height the system
            // takes from the font.
            if (component != m_combo) {
                EXPECT_EQ(actual.bottom, expected.bottom);
            }
            EXPECT_TRUE(IsWindowVisible(handleOf(component)));
        }
        // The column's margins place it; the drop box takes what the controls leave.
        EXPECT_EQ(portableRect(*m_label).left, 6);
        EXPECT_GT(m_dropBox->height(), 0);
        EXPECT_GT(m_label->width(), 0);
        EXPECT_GT(m_label->height(), 0);
    });
}

TEST_F(NativeToolkitTest, LayoutFollowsTheWindowSize)
{
    int32_t heightBefore = 0;
    onWindowThread([&] { heightBefore = m_dropBox->height(); });
    RECT outer{};
    GetWindowRect(m_hwnd, &outer);
    // From another thread, as the user's drag would come: the window thread lays out.
    SetWindowPos(m_hwnd, nullptr, 0, 0, outer.right - outer.left + 40, outer.bottom - outer.top + 50,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    onWindowThread([&] {
        RECT client{};
        GetClientRect(m_hwnd, &client);
        EXPECT_EQ(m_window->innerWidth(), client.right);
        EXPECT_EQ(m_window->innerHeight(), client.bottom);
        EXPECT_EQ(m_dropBox->height(), heightBefore + 50);
        const RECT actual = nativeRect(*m_dropBox);
        EXPECT_EQ(actual.bottom - actual.top, m_dropBox->height());
        GetWindowRect(m_hwnd, &outer);
        EXPECT_EQ(m_window->nativeWindow()->frameWidth(), (outer.right - outer.left) - client.right);
        EXPECT_EQ(m_window->nativeWindow()->frameHeight(), (outer.bottom - outer.top) - client.bottom);
    });
}

TEST_F(NativeToolkitTest, TextIsSetAndMeasuredInTheViewsFont)
{
    onWindowThread([&] {
        m_label->setText(u"Please drop image file(s) here!");
        EXPECT_EQ(windowText(handleOf(m_label)), L"Please drop image file(s) here!");
        s::gui::INativeView* view = m_label->nativeView();
        const s::gui::TextExtent line = view->measureText(u"Ready");
        const s::gui::TextExtent longer = view->measureText(u"Ready, and more");
        const s::gui::TextExtent empty = view->measureText(u"");
        EXPECT_GT(line.width, 0);
        EXPECT_GT(longer.width, line.width);
        EXPECT_EQ(empty.width, 0);
        EXPECT_GT(empty.height, 0) << "an empty text keeps the line height";
        EXPECT_EQ(empty.height, line.height);
        // The title goes through the same view interface.
        m_window->nativeWindow()->setText(u"Pellory v1");
        EXPECT_EQ(windowText(m_hwnd), L"Pellory v1");
    });
}

TEST_F(NativeToolkitTest, UserChangesReachTheListenersWithSourceAndType)
{
    Recorder recorder;
    onWindowThread([&] {
        m_label->addListener(events::kLabelClicked, &recorder);
        m_checkBox->addListener(events::kCheckBoxClicked, &recorder);
        m_combo->addListener(events::kComboSelectionChanged, &recorder);
        m_slider->addListener(events::kSliderMoved, &recorder);
        m_field->addListener(events::kNumberFieldChanged, &recorder);
        m_button->addListener(events::kButtonClicked, &recorder);
    });

    // Each action is what the system does when the user acts; the parent of a control
    // is the box that holds it, which must pass the notification on.
    auto notifyParent = [](HWND control, UINT message, WORD code) {
        SendMessageW(GetParent(control), message, MAKEWPARAM(GetDlgCtrlID(control), code),
                     reinterpret_cast<LPARAM>(control));
    };
    struct Case {
        const char* name;
        s::base::IObject* source;
        int32_t type;
        std::function<void(HWND)> act;
        std::function<void()> check;
    };
    const std::vector<Case> cases{
        {"check box", m_checkBox, events::kCheckBoxClicked, [](HWND h) { SendMessageW(h, BM_CLICK, 0, 0); },
         [&] { EXPECT_TRUE(m_checkBox->isChecked()); }},
        {"combo box", m_combo, events::kComboSelectionChanged,
         [&](HWND h) {
             SendMessageW(h, CB_SETCURSEL, 1, 0);
             notifyParent(h, WM_COMMAND, CBN_SELCHANGE);
         },
         [&] { EXPECT_EQ(m_combo->selectedIndex(), 1); }},
        {"slider", m_slider, events::kSliderMoved,
         [&](HWND h) {
             SendMessageW(h, TBM_SETPOS, TRUE, 40);
             notifyParent(h, WM_HSCROLL, TB_THUMBPOSITION);
         },
         [&] { EXPECT_EQ(m_slider->value(), 40); }},
        {"number field", m_field, events::kNumberFieldChanged,
         [](HWND h) { SendMessageW(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"42")); },
         [&] { EXPECT_EQ(m_field->text(), u"42"); }},
        {"clickable label", m_label, events::kLabelClicked, [&](HWND h) { notifyParent(h, WM_COMMAND, STN_CLICKED); },
         [] {}},
        {"button", m_button, events::kButtonClicked, [](HWND h) { SendMessageW(h, BM_CLICK, 0, 0); }, [] {}},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        recorder.clear();
        HWND control = handleOf(dynamic_cast<IComponent*>(each.source));
        ASSERT_NE(control, nullptr);
        onWindowThread([&] { each.act(control); });
        ASSERT_EQ(recorder.events().size(), 1u);
        EXPECT_EQ(recorder.events()[0].source, each.source);
        EXPECT_EQ(recorder.events()[0].type, each.type);
        EXPECT_EQ(recorder.events()[0].thread, GetWindowThreadProcessId(m_hwnd, nullptr));
        onWindowThread(each.check);
    }
}

TEST_F(NativeToolkitTest, RepeatsAndChangesFromCodeAreNotTheUsersChanges)
{
    Recorder recorder;
    onWindowThread([&] {
        m_combo->select(0, false);
        m_slider->setValue(30);
        m_combo->addListener(events::kComboSelectionChanged, &recorder);
        m_slider->addListener(events::kSliderMoved, &recorder);
        m_field->addListener(events::kNumberFieldChanged, &recorder);

        // Text set by the program reaches the window without an EN_CHANGE report.
        m_field->setText(u"7");
        EXPECT_EQ(windowText(handleOf(m_field)), L"7");
        // The end of a drag repeats the position it already reported.
        HWND slider = handleOf(m_slider);
        SendMessageW(GetParent(slider), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider));
        // Picking the item already shown changes nothing.
        HWND combo = handleOf(m_combo);
        SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
    });
    EXPECT_TRUE(recorder.events().empty());
}

TEST_F(NativeToolkitTest, ControlColoursAnswerTheParentsColourRequest)
{
    onWindowThread([&] {
        m_dropBox->setBackgroundColour(0xFFFFFF);
        m_label->setColours(0xFF0000, s::gui::INativeView::kDefaultColour, s::gui::INativeView::kDefaultColour);
        HDC dc = GetDC(m_hwnd);
        HWND label = handleOf(m_label);
        const LRESULT brush = SendMessageW(GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(label));
        EXPECT_NE(brush, 0);
        EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0));
        // A label without a background of its own shows its box's.
        EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(NativeView::backgroundOf(handleOf(m_dropBox)), RGB(255, 255, 255));
        ReleaseDC(m_hwnd, dc);
    });
}

TEST_F(NativeToolkitTest, DroppedPathsArriveWholeThroughTheBox)
{
    Recorder recorder;
    std::vector<std::u16string> received;
    recorder.setOnEvent([&] {
        for (int32_t i = 0; i < m_dropBox->droppedFiles().count(); ++i)
            received.emplace_back(m_dropBox->droppedFiles().at(i).view());
    });
    onWindowThread([&] { m_dropBox->addListener(events::kBoxFilesDropped, &recorder); });

    const std::wstring deep = longPath(300);
    ASSERT_EQ(deep.size(), 300u);
    const std::vector<std::wstring> paths{deep, L"C:\\images\\b\u00e9\u6f22.jpg", L"C:\\x.gif"};
    SendMessageW(handleOf(m_dropBox), WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop(paths)), 0);

    ASSERT_EQ(recorder.events().size(), 1u);
    EXPECT_EQ(recorder.events()[0].source, static_cast<s::base::IObject*>(m_dropBox));
    EXPECT_EQ(recorder.events()[0].type, events::kBoxFilesDropped);
    ASSERT_EQ(received.size(), paths.size());
    for (size_t i = 0; i < paths.size(); ++i)
        EXPECT_EQ(received[i], std::u16string(reinterpret_cast<const char16_t*>(paths[i].c_str())));
}

TEST(DroppedFilesTest, ReadsEveryPathWholeAndSkipsEmptyEntries)
{
    struct Case {
        const char* name;
        std::vector<std::wstring> paths;
        std::vector<std::wstring> expected;
    };
    const std::wstring longest = longPath(32000);
    const std::vector<Case> cases{
        {"no files", {}, {}},
        {"one short path", {L"C:\\a.png"}, {L"C:\\a.png"}},
        {"past the classic limit", {longPath(261), longPath(262)}, {longPath(261), longPath(262)}},
        {"the longest path", {longest}, {longest}},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        HGLOBAL drop = makeDrop(each.paths);
        const std::vector<std::u16string> read = s::gui::win::native::readDroppedFiles(static_cast<HDROP>(drop));
        ASSERT_EQ(read.size(), each.expected.size());
        for (size_t i = 0; i < read.size(); ++i)
            EXPECT_EQ(read[i], std::u16string(reinterpret_cast<const char16_t*>(each.expected[i].c_str())));
        GlobalFree(drop);
    }
    EXPECT_TRUE(s::gui::win::native::readDroppedFiles(nullptr).empty());
}

TEST_F(NativeToolkitTest, StatusEventsAreHandledSynchronouslyOnTheWindowThread)
{
    Recorder recorder;
    std::u16string name;
    std::u16string text;
    int32_t first = 0;
    int32_t second = 0;
    recorder.setOnEvent([&] {
        name = m_window->eventName();
        text = m_window->eventText();
        first = m_window->eventFirst();
        second = m_window->eventSecond();
    });
    onWindowThread([&] { m_window->addListener(events::kWindowUserEvent, &recorder); });

    size_t seenWhenSendReturned = 0;
    std::thread worker([&] {
        // The values live on the worker's stack only while the send lasts.
        std::u16string fileName = u"C:\\images\\photo.png";
        m_window->sendEvent(u"ProcessStatusUpdate", 3, 1, fileName);
        seenWhenSendReturned = recorder.events().size();
    });
    worker.join();

    EXPECT_EQ(seenWhenSendReturned, 1u) << "the send returns only after the window handled it";
    ASSERT_EQ(recorder.events().size(), 1u);
    EXPECT_EQ(recorder.events()[0].type, events::kWindowUserEvent);
    EXPECT_EQ(recorder.events()[0].thread, GetWindowThreadProcessId(m_hwnd, nullptr));
    EXPECT_EQ(name, u"ProcessStatusUpdate");
    EXPECT_EQ(first, 3);
    EXPECT_EQ(second, 1);
    EXPECT_EQ(text, u"C:\\images\\photo.png");
}

TEST_F(NativeToolkitTest, CloseCanBeCancelledAndOtherwiseEndsTheHost)
{
    Recorder recorder;
    bool cancel = true;
    recorder.setOnEvent([&] {
        if (cancel)
            m_window->cancelClose();
    });
    onWindowThread([&] { m_window->addListener(events::kWindowClosing, &recorder); });

    SendMessageW(m_hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(recorder.events().size(), 1u);
    EXPECT_TRUE(IsWindow(m_hwnd)) << "a listener kept the window open";

    cancel = false;
    PostMessageW(m_hwnd, WM_CLOSE, 0, 0);
    m_host->waitClosed();
    EXPECT_EQ(recorder.events().size(), 2u);
    EXPECT_FALSE(IsWindow(m_hwnd));
    // The views outlive their windows harmlessly: every call is a no-op now.
    m_label->setText(u"after the close");
    m_window->sendEvent(u"ProcessStatusEnd", 0, 0, u"");
    EXPECT_EQ(m_window->nativeWindow()->frameWidth(), 0);
}

TEST_F(NativeToolkitTest, WakeMessageRestoresTheWindowAndCallsTheHook)
{
    std::atomic<int> woken{0};
    onWindowThread([&] {
        static_cast<TopWindowView*>(m_window->nativeWindow())->setWakeHandler([&] { ++woken; });
        ShowWindow(m_hwnd, SW_MINIMIZE);
        EXPECT_TRUE(m_window->nativeWindow()->isMinimized());
    });
    DWORD_PTR answer = 0;
    ASSERT_NE(SendMessageTimeoutW(m_hwnd, TopWindowView::kWakeMessage, 0, 0, SMTO_ABORTIFHUNG, 3000, &answer), 0);
    EXPECT_EQ(woken.load(), 1);
    onWindowThread([&] {
        EXPECT_FALSE(m_window->nativeWindow()->isMinimized());
        EXPECT_EQ(m_window->sizeState(), Window::SizeState::kRestored);
    });
}

TEST_F(NativeToolkitTest, MinimumSizeAndSizingFollowThePortableWindow)
{
    onWindowThread([&] {
        m_window->setMinimumSize(200, 300);
        MINMAXINFO limits{};
        SendMessageW(m_hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        EXPECT_GE(limits.ptMinTrackSize.x, 200);
        EXPECT_GE(limits.ptMinTrackSize.y, 300);

        // Dragging the top edge below the minimum height moves the top edge back.
        RECT dragged{100, 250, 400, 400};
        SendMessageW(m_hwnd, WM_SIZING, WMSZ_TOP, reinterpret_cast<LPARAM>(&dragged));
        EXPECT_EQ(dragged.bottom - dragged.top, 300);
        EXPECT_EQ(dragged.bottom, 400);
    });
}

TEST_F(NativeToolkitTest, MouseButtonsOnTheBodyReachTheWindow)
{
    Recorder recorder;
    onWindowThread([&] {
        m_window->addListener(events::kWindowRightButtonDown, &recorder);
        m_window->addListener(events::kWindowMiddleButtonDown, &recorder);
    });
    // The boxes cover the client area; a press on one is a press on the window.
    HWND box = handleOf(m_dropBox);
    SendMessageW(box, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessageW(box, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(5, 5));
    ASSERT_EQ(recorder.events().size(), 2u);
    EXPECT_EQ(recorder.events()[0].type, events::kWindowRightButtonDown);
    EXPECT_EQ(recorder.events()[1].type, events::kWindowMiddleButtonDown);
    EXPECT_EQ(recorder.events()[0].source, static_cast<s::base::IObject*>(m_window));
}

TEST_F(NativeToolkitTest, EasyDragMakesTheBodyTheCaptionAndKeepsItsClicks)
{
    Recorder recorder;
    onWindowThread([&] { m_window->addListener(events::kWindowMiddleButtonDown, &recorder); });
    RECT box{};
    GetWindowRect(handleOf(m_dropBox), &box);
    const LPARAM onBox = MAKELPARAM(box.left + 5, box.top + 5);
    HWND label = handleOf(m_label);

    struct Case {
        bool easyDrag;
        LRESULT topLevelHit;
        LRESULT boxHit;
    };
    for (const Case& each : {Case{false, HTCLIENT, HTCLIENT}, Case{true, HTCAPTION, HTTRANSPARENT}}) {
        SCOPED_TRACE(each.easyDrag ? "easy drag" : "no easy drag");
        onWindowThread([&] { m_window->nativeWindow()->setEasyDrag(each.easyDrag); });
        EXPECT_EQ(SendMessageW(m_hwnd, WM_NCHITTEST, 0, onBox), each.topLevelHit);
        EXPECT_EQ(SendMessageW(handleOf(m_dropBox), WM_NCHITTEST, 0, onBox), each.boxHit);
    }
    // A middle press on the body arrives as a caption press and still counts.
    SendMessageW(m_hwnd, WM_NCMBUTTONDOWN, HTCAPTION, onBox);
    EXPECT_EQ(recorder.events().size(), 1u);

    // A plain label lets the mouse through; a clickable one takes it.
    RECT labelRect{};
    GetWindowRect(label, &labelRect);
    const LPARAM onLabel = MAKELPARAM(labelRect.left + 1, labelRect.top + 1);
    EXPECT_NE(SendMessageW(label, WM_NCHITTEST, 0, onLabel), HTTRANSPARENT);
    onWindowThread([&] { m_label->setClickable(false); });
    EXPECT_EQ(SendMessageW(label, WM_NCHITTEST, 0, onLabel), HTTRANSPARENT);
}

TEST_F(NativeToolkitTest, AViewLetGoFromAnotherThreadHasItsWindowDestroyedByItsOwnThread)
{
    HWND label = handleOf(m_label);
    ASSERT_TRUE(IsWindow(label));
    // DestroyWindow refuses another thread's window; the view asks the window's thread.
    m_label->detachNative();
    EXPECT_FALSE(IsWindow(label));
    EXPECT_EQ(m_label->nativeView(), nullptr);
}

TEST_F(NativeToolkitTest, TopmostFollowsTheWindowSetting)
{
    for (bool topmost : {true, false}) {
        onWindowThread([&] { m_window->setTopmost(topmost); });
        EXPECT_EQ((GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, topmost);
    }
}

TEST_F(NativeToolkitTest, StatusBarKeepsItsGripAboveItsSections)
{
    onWindowThread([&] {
        auto* bar = s::gui::win::StatusBar::take();
        bar->setFixedHeight(23, false);
        bar->setWidthPercent(100, false);
        Box* section = Box::makeBox(100, 100, 0, 0, 0, 0, 2, 0, s::gui::kLayoutRow);
        bar->addChild(section);
        m_window->addChild(bar);

        HWND barWindow = handleOf(bar);
        ASSERT_NE(barWindow, nullptr);
        HWND grip = GetWindow(barWindow, GW_CHILD);  // the top of the children's z-order
        ASSERT_NE(grip, nullptr);
        EXPECT_NE(grip, handleOf(section));
        RECT barClient{};
        GetClientRect(barWindow, &barClient);
        RECT gripRect{};
        GetWindowRect(grip, &gripRect);
        MapWindowPoints(nullptr, barWindow, reinterpret_cast<POINT*>(&gripRect), 2);
        const int size = s::gui::win::native::drawers::kGripSize;
        EXPECT_EQ(gripRect.right, barClient.right);
        EXPECT_EQ(gripRect.bottom, barClient.bottom);
        EXPECT_EQ(gripRect.right - gripRect.left, size);
        EXPECT_EQ(gripRect.bottom - gripRect.top, size);
    });
}

TEST(DrawersTest, PaintTheirPixelsAndLeaveTheRest)
{
    namespace drawers = s::gui::win::native::drawers;
    const COLORREF untouched = RGB(1, 2, 3);
    struct Pixel {
        int x;
        int y;
        COLORREF colour;
    };
    struct Case {
        const char* name;
        std::function<void(HDC)> paint;
        std::vector<Pixel> expected;
    };
    const COLORREF line = RGB(145, 155, 156);
    const std::vector<Case> cases{
        {"plain border", [&](HDC dc) { drawers::paintPlainBorder(dc, 20, 10, line); },
         {{0, 0, line}, {19, 0, line}, {19, 9, line}, {0, 9, line}, {1, 1, untouched}, {10, 5, untouched}}},
        {"under the menu", [](HDC dc) { drawers::paintUnderWindowMenu(dc, 20); },
         {{0, 0, RGB(172, 168, 153)}, {19, 0, RGB(172, 168, 153)}, {5, 1, RGB(255, 255, 255)}, {5, 2, untouched}}},
        {"resize grip", [](HDC dc) { drawers::paintResizeGrip(dc, 20, 20); },
         // The shade goes over the white, which shows below and right of each square.
         {{18, 18, RGB(255, 255, 255)}, {17, 17, RGB(184, 181, 161)}, {16, 16, RGB(184, 181, 161)},
          {10, 18, RGB(255, 255, 255)}, {18, 10, RGB(255, 255, 255)}, {0, 0, untouched}, {19, 19, untouched},
          {15, 18, untouched}}},
        {"group box frame", [](HDC dc) {
             const RECT bounds{0, 0, 60, 40};
             drawers::paintGroupBox(dc, bounds, u"", s::gui::win::native::guiFont(), 20, 10, drawers::kGroupBoxLine,
                                    drawers::kGroupBoxTitle);
         },
         // The top line leaves the title's gap; corners are rounded off.
         {{2, 0, drawers::kGroupBoxLine}, {6, 0, drawers::kGroupBoxLine}, {7, 0, untouched},
          {31, 0, drawers::kGroupBoxLine}, {0, 0, untouched}, {0, 2, drawers::kGroupBoxLine},
          {59, 37, drawers::kGroupBoxLine}, {1, 1, drawers::kGroupBoxLine}, {2, 39, drawers::kGroupBoxLine}}},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        DibPicture canvas(60, 40, untouched);
        each.paint(canvas.dc());
        for (const Pixel& pixel : each.expected)
            EXPECT_EQ(canvas.at(pixel.x, pixel.y), pixel.colour) << "at " << pixel.x << ", " << pixel.y;
    }
}

}  // namespace
