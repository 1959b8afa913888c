#pragma once
// Test doubles for the toolkit's native side: views that record what the
// portable code asks of them, a top-level window whose status events wait
// in a queue until the test (the window's thread) handles them, and a host
// that builds a window synchronously on the calling thread.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "gui/INativeWindow.h"
#include "gui/IWindowHost.h"
#include "gui/win/Window.h"

namespace fake_views {

using s::gui::IComponent;
using s::gui::INativeView;
using s::gui::NativeKind;
using s::gui::TextExtent;

// Every character 5 pixels wide, lines 13 high: about the system's 8-point font.
constexpr int32_t kCharWidth = 5;
constexpr int32_t kLineHeight = 13;

class FakeView : public INativeView {
public:
    FakeView(IComponent* owner, NativeKind kind) : owner(owner), kind(kind) {}

    INativeView* createChild(IComponent& child, NativeKind childKind) override { return new FakeView(&child, childKind); }
    void destroy() override { delete this; }
    void move(int32_t nx, int32_t ny) override
    {
        x = nx;
        y = ny;
    }
    void resize(int32_t w, int32_t h) override
    {
        width = w;
        height = h;
    }
    void setBounds(int32_t nx, int32_t ny, int32_t w, int32_t h) override
    {
        move(nx, ny);
        resize(w, h);
    }
    void show(bool visible) override { shown = visible; }
    bool isEnabled() const override { return enabled; }
    void setEnabled(bool flag) override { enabled = flag; }
    void redrawArea(int32_t, int32_t, int32_t, int32_t) override {}
    void redraw() override {}
    void setText(std::u16string_view value) override
    {
        shownText.assign(value);
        textHistory.emplace_back(value);
    }
    TextExtent measureText(std::u16string_view value) const override
    {
        return {static_cast<int32_t>(value.size()) * kCharWidth, kLineHeight};
    }
    std::u16string text() const override { return shownText; }
    void setChecked(bool flag) override { checked = flag; }
    bool isChecked() const override { return checked; }
    void setItems(const std::vector<std::u16string>& texts) override { items = texts; }
    void selectItem(int32_t index) override { selected = index; }
    int32_t selectedItem() const override { return selected; }
    void setRange(int32_t minimum, int32_t maximum) override
    {
        rangeMin = minimum;
        rangeMax = maximum;
    }
    void setValue(int32_t v) override { value_ = v; }
    int32_t value() const override { return value_; }
    void setColours(uint32_t text, uint32_t background, uint32_t border) override
    {
        textColour = text;
        backgroundColour = background;
        borderColour = border;
    }

    IComponent* owner;
    NativeKind kind;
    int32_t x = 0, y = 0, width = 0, height = 0;
    bool shown = false;
    bool enabled = true;
    std::u16string shownText;
    std::vector<std::u16string> textHistory;
    bool checked = false;
    std::vector<std::u16string> items;
    int32_t selected = -1;
    int32_t rangeMin = 0, rangeMax = 0, value_ = 0;
    uint32_t textColour = kDefaultColour, backgroundColour = kDefaultColour, borderColour = kDefaultColour;
};

// The view of a component, as the fake made it (null before it is attached).
inline FakeView* viewOf(const IComponent* component)
{
    return component ? static_cast<FakeView*>(component->nativeView()) : nullptr;
}

// A top-level window with a frame. Resizing reports back as the size
// message does; status events from other threads wait in a queue until the
// test pumps them on the window's thread; a closed window drops them, as a
// destroyed one would.
class FakeNativeWindow : public s::gui::INativeWindow {
public:
    static constexpr int32_t kFrameWidth = 16;
    static constexpr int32_t kFrameHeight = 39;

    explicit FakeNativeWindow(s::gui::win::Window& owner) : m_owner(owner), m_uiThread(std::this_thread::get_id()) {}
    ~FakeNativeWindow() override { markClosed(); }

    INativeView* createChild(IComponent& child, NativeKind kind) override { return new FakeView(&child, kind); }
    void destroy() override { delete this; }
    void move(int32_t nx, int32_t ny) override
    {
        x = nx;
        y = ny;
    }
    void resize(int32_t w, int32_t h) override { m_owner.onNativeSize(w, h, s::gui::win::Window::SizeState::kRestored); }
    void setBounds(int32_t nx, int32_t ny, int32_t w, int32_t h) override
    {
        move(nx, ny);
        resize(w, h);
    }
    void show(bool visible) override
    {
        shown = visible;
        (visible ? shows : hides)++;
    }
    bool isEnabled() const override { return true; }
    void setEnabled(bool) override {}
    void redrawArea(int32_t, int32_t, int32_t, int32_t) override {}
    void redraw() override {}
    void setText(std::u16string_view value) override { title.assign(value); }
    TextExtent measureText(std::u16string_view value) const override
    {
        return {static_cast<int32_t>(value.size()) * kCharWidth, kLineHeight};
    }
    int32_t frameWidth() const override { return kFrameWidth; }
    int32_t frameHeight() const override { return kFrameHeight; }
    bool isMinimized() const override { return false; }
    void requestClose() override { userCloses(); }
    void setTopmost(bool flag, bool) override { topmost = flag; }

    void sendUserEvent(std::u16string_view name, int32_t first, int32_t second, std::u16string_view text) override
    {
        if (std::this_thread::get_id() == m_uiThread) {
            if (!isClosed())
                m_owner.onUserEvent(name, first, second, text);
            return;
        }
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_closed)
            return;
        const uint64_t ticket = ++m_lastPosted;
        m_queue.push_back({std::u16string(name), first, second, std::u16string(text), ticket});
        m_changed.notify_all();
        // Like SendMessage: back only when handled, or when the window is gone.
        m_changed.wait(lock, [&] { return m_closed || m_lastHandled >= ticket; });
    }

    // --- The test, as the window's thread ---
    // The user closes the window: the listeners are asked, then it is gone.
    bool userCloses()
    {
        if (isClosed() || !m_owner.onCloseRequested())
            return false;
        markClosed();
        return true;
    }
    void userResizes(int32_t w, int32_t h) { resize(w, h); }
    bool isClosed()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_closed;
    }
    // Waits until a status event is queued (its sender waiting); false on timeout.
    bool waitForEvent(std::chrono::milliseconds timeout = std::chrono::seconds(20))
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, timeout, [&] { return !m_queue.empty(); });
    }
    // The name of the event waiting, or empty.
    std::u16string pendingName()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_queue.empty() ? std::u16string() : m_queue.front().name;
    }
    // Handles the next queued event on this thread; false on timeout.
    bool pumpOne(std::chrono::milliseconds timeout = std::chrono::seconds(20))
    {
        if (!waitForEvent(timeout))
            return false;
        Event event;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            event = m_queue.front();
            m_queue.pop_front();
        }
        m_owner.onUserEvent(event.name, event.first, event.second, event.text);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lastHandled = event.ticket;
        m_changed.notify_all();
        return true;
    }
    // Pumps until `done` holds; false when no event came for the timeout.
    bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(20))
    {
        while (!done()) {
            if (!pumpOne(timeout))
                return false;
        }
        return true;
    }

    int32_t x = 0, y = 0;
    bool shown = false;
    int shows = 0, hides = 0;
    bool topmost = false;
    std::u16string title;

private:
    struct Event {
        std::u16string name;
        int32_t first = 0;
        int32_t second = 0;
        std::u16string text;
        uint64_t ticket = 0;
    };

    void markClosed()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closed = true;
        m_queue.clear();
        m_changed.notify_all();
    }

    s::gui::win::Window& m_owner;
    std::thread::id m_uiThread;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Event> m_queue;
    uint64_t m_lastPosted = 0;
    uint64_t m_lastHandled = 0;
    bool m_closed = false;
};

// Builds the window on the calling thread, which then plays the window's
// user-interface thread; waitClosed() returns at once so that the test can
// go on using the open window.
class FakeWindowHost : public s::gui::IWindowHost {
public:
    bool start(s::gui::win::Window& window, const s::gui::WindowOptions& options, std::function<void()> build) override
    {
        startOptions = options;
        if (failStart)
            return false;
        nativeWindow = new FakeNativeWindow(window);
        window.attachNative(nativeWindow);
        nativeWindow->setBounds(options.x, options.y, options.width, options.height);
        nativeWindow->setText(options.title);
        build();
        return true;
    }
    void waitClosed() override { ++waits; }
    void runOnWindowThread(const std::function<void()>& task) override { task(); }

    bool failStart = false;
    s::gui::WindowOptions startOptions;
    FakeNativeWindow* nativeWindow = nullptr;  // owned by the window
    int waits = 0;
};

}  // namespace fake_views
