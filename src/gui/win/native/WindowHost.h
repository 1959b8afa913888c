#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

#include "gui/IWindowHost.h"

namespace s::gui::win::native {

// Runs one top-level toolkit window on a user-interface thread of its own:
// the thread makes the window, lets the caller build its content, and pumps
// its messages until the window is destroyed. The creator only waits,
// polling, so it never has to pump messages itself.
class WindowHost : public s::gui::IWindowHost {
public:
    WindowHost() = default;
    // A window still open is destroyed and its thread waited for.
    ~WindowHost() override;
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;

    bool start(s::gui::win::Window& window, const s::gui::WindowOptions& options,
               std::function<void()> build) override;
    void waitClosed() override;
    void runOnWindowThread(const std::function<void()>& task) override;

    // The window while it exists, else null.
    HWND windowHandle() const { return m_window.load(); }

private:
    enum class StartState { kPending, kRunning, kFailed };

    void threadMain(s::gui::win::Window& window, const s::gui::WindowOptions& options,
                    const std::function<void()>& build);
    static void pumpMessages();

    std::thread m_thread;
    std::atomic<DWORD> m_threadId{0};
    std::atomic<HWND> m_window{nullptr};
    std::atomic<StartState> m_startState{StartState::kPending};
    std::atomic<bool> m_ended{false};
};

}  // namespace s::gui::win::native
