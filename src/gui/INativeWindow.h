#pragma once
#include <cstdint>
#include <string_view>

#include "gui/INativeView.h"

namespace s::gui {

// The native side of a top-level window: an INativeView whose move, resize
// and setBounds work in screen coordinates on the outer (frame) rectangle,
// plus what only a top-level window has.
//
// The adapter turns the window's messages into calls of the portable
// s::gui::win::Window handlers (onCloseRequested, onUserEvent, onNativeSize,
// onSizing, onMiddleButtonDown, raise(...)); it must report a size change to
// onNativeSize even when the change came from the portable side's own
// resize() (SetWindowPos sends WM_SIZE synchronously, which does that).
class INativeWindow : public INativeView {
public:
    // Outer size less client size: what the frame, caption and menu take
    // (GetWindowRect against GetClientRect).
    virtual int32_t frameWidth() const = 0;
    virtual int32_t frameHeight() const = 0;
    virtual bool isMinimized() const = 0;

    // Starts closing the window as the close box would (PostMessage
    // WM_CLOSE); the close listeners are asked through onCloseRequested.
    virtual void requestClose() = 0;
    // Hides the window into the notification area (the middle-click action
    // "Iconize").
    virtual void hideToNotificationArea() = 0;
    // Hands a status event to the window's thread and returns only after
    // the window has handled it (SendMessageW WM_USER + 1), so the caller's
    // values stay valid meanwhile. The adapter calls Window::onUserEvent
    // with them on the window's thread.
    virtual void sendUserEvent(std::u16string_view name, int32_t first, int32_t second,
                               std::u16string_view text) = 0;

    // The window's behaviour settings (s::app::IAppWindow::bindWindow):
    // the always-on-top band (SetWindowPos HWND_TOPMOST / HWND_NOTOPMOST
    // with SWP_NOMOVE | SWP_NOSIZE), and easy drag (WM_NCHITTEST answers
    // HTCAPTION for the client area unless the right button is down).
    virtual void setTopmost(bool) {}
    virtual void setEasyDrag(bool) {}
};

}  // namespace s::gui
