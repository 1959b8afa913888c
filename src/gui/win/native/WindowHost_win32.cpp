#include "gui/win/native/WindowHost.h"

#include <ole2.h>

#include <memory>

#include "gui/win/Window.h"
#include "gui/win/native/NativeView.h"
#include "gui/win/native/TopWindowView.h"

namespace s::gui::win::native {

namespace {

constexpr DWORD kPollMs = 10;

// Waits up to `milliseconds`, handling the messages other threads send to
// this one's windows meanwhile (posted ones stay queued).
void handleSentMessagesFor(DWORD milliseconds)
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_SENDMESSAGE);
    MSG sent{};
    PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

}  // namespace

WindowHost::~WindowHost()
{
    if (m_thread.joinable() && m_threadId.load() == GetCurrentThreadId()) {
        // Given up from its own window's thread: the loop ends with the window.
        m_thread.detach();
        return;
    }
    if (HWND window = m_window.load())
        askToDestroy(window);
    waitClosed();
}

bool WindowHost::start(s::gui::win::Window& window, const s::gui::WindowOptions& options,
                       std::function<void()> build)
{
    if (m_thread.joinable())
        return false;  // one window per host
    m_startState = StartState::kPending;
    m_ended = false;
    try {
        m_thread = std::thread([this, &window, options, build = std::move(build)] {
            threadMain(window, options, build);
        });
    } catch (...) {
        return false;  // no thread could be made
    }
    // The caller may be another window's thread (the About window is opened
    // from the main window's): messages sent to it meanwhile, such as the
    // activation moving to the new window, are handled while it waits.
    while (m_startState.load() == StartState::kPending)
        handleSentMessagesFor(kPollMs);
    if (m_startState.load() == StartState::kRunning)
        return true;
    m_thread.join();
    return false;
}

void WindowHost::threadMain(s::gui::win::Window& window, const s::gui::WindowOptions& options,
                            const std::function<void()>& build)
{
    m_threadId = GetCurrentThreadId();
    // Drops of web addresses and the shell's dialogs need OLE on this thread.
    const HRESULT ole = OleInitialize(nullptr);
    auto view = std::make_unique<TopWindowView>(window);
    if (!view->create(options)) {
        if (SUCCEEDED(ole))
            OleUninitialize();
        m_ended = true;
        m_startState = StartState::kFailed;
        return;
    }
    view->setQuitOnDestroy(true);
    m_window = view->handle();
    window.attachNative(view.release());  // the window owns its view from now on
    if (build)
        build();
    m_startState = StartState::kRunning;
    pumpMessages();
    m_window = nullptr;
    if (SUCCEEDED(ole))
        OleUninitialize();
    m_ended = true;
}

void WindowHost::pumpMessages()
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void WindowHost::waitClosed()
{
    if (!m_thread.joinable())
        return;
    // The caller may be another window's thread: what the ending window
    // sends it meanwhile is handled, or the two would wait for each other.
    while (!m_ended.load())
        handleSentMessagesFor(kPollMs);
    m_thread.join();
}

void WindowHost::runOnWindowThread(const std::function<void()>& task)
{
    if (!task)
        return;
    if (m_threadId.load() == GetCurrentThreadId()) {
        task();
        return;
    }
    if (HWND window = m_window.load())
        SendMessageW(window, TopWindowView::kRunTaskMessage, reinterpret_cast<WPARAM>(&task), 0);
}

}  // namespace s::gui::win::native

namespace s::gui {

std::unique_ptr<IWindowHost> makeWindowHost() { return std::make_unique<s::gui::win::native::WindowHost>(); }

}  // namespace s::gui
