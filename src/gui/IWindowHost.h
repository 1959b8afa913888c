#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace s::gui::win {
class Window;
}

namespace s::gui {

// How a top-level window starts: its frame, title, icons and placement.
struct WindowOptions {
    std::u16string title;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 250;
    int32_t height = 250;
    bool centre = true;          // ignore x and y and centre on the work area
    bool sizingBorder = true;
    bool maximizeButton = false;
    bool minimizeButton = true;
    // A thin frame with no caption, painted by the window's skin drawer.
    bool thinFrame = false;
    bool maximized = false;
    bool topmost = false;
    void* smallIcon = nullptr;   // HICON on Windows, not owned
    void* largeIcon = nullptr;
};

// Runs a top-level window on a user-interface thread of its own: the thread
// makes the native window, builds the window's content, and runs the
// message loop until the window is destroyed. The portable dialogs see only
// this; Windows has the real host, tests a synchronous double.
class IWindowHost {
public:
    virtual ~IWindowHost() = default;
    // Starts the thread, which attaches a native window to `window`
    // (Window::attachNative), then calls `build` there (the caller adds the
    // children, lays out and shows), then runs the message loop. False when
    // the thread or the window could not be made.
    virtual bool start(s::gui::win::Window& window, const WindowOptions& options, std::function<void()> build) = 0;
    // Waits until the window has been destroyed and its thread has ended,
    // polling every 10 ms.
    virtual void waitClosed() = 0;
    // Runs `task` on the window's thread and waits for it.
    virtual void runOnWindowThread(const std::function<void()>& task) = 0;
};

// The platform's host (Windows only; null elsewhere).
std::unique_ptr<IWindowHost> makeWindowHost();

}  // namespace s::gui
