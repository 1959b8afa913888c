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
    // Hands a status event to the window's thread and returns only after
    // the window has handled it (SendMessageW WM_USER + 1), so the caller's
    // values stay valid meanwhile. The adapter calls Window::onUserEvent
    // with them on the window's thread.
    virtual void sendUserEvent(std::u16string_view name, int32_t first, int32_t second,
                               std::u16string_view text) = 0;

    // The window's behaviour settings (s::gui::win::Window carries them
    // out): the always-on-top band (SetWindowPos HWND_TOPMOST /
    // HWND_NOTOPMOST keeping place and size; a visible window is also shown
    // and activated by the call), and easy drag (WM_NCHITTEST answers
    // HTCAPTION for the client area unless the right button is down).
    virtual void setTopmost(bool /*topmost*/, bool /*visible*/) {}
    virtual void setEasyDrag(bool) {}

    // Shows the window (ShowWindow SW_SHOW, or SW_SHOWNA without
    // activation) and redraws its frame and contents; `show(false)` hides.
    virtual void showWindow(bool /*activate*/) { show(true); }
    // SetForegroundWindow.
    virtual void bringToForeground() {}
    // WM_SETREDRAW: while off, changes to the window and its children are
    // not painted; redraw() afterwards paints the whole window once.
    virtual void setRedraw(bool) {}
    // ShowWindow SW_MINIMIZE / SW_MAXIMIZE / SW_RESTORE.
    virtual void minimize() {}
    virtual void maximize() {}
    virtual void restoreFromMinOrMax() {}
    virtual bool isMaximized() const { return false; }
    // The notification-area icon: the window's small icon with `tip` (cut to
    // fit), its mouse messages sent back as WM_USER + 2. False when the
    // system has no notification area to take it.
    virtual bool addNotificationIcon(std::u16string_view /*tip*/) { return false; }
    virtual void updateNotificationTip(std::u16string_view) {}
    virtual void removeNotificationIcon() {}
};

}  // namespace s::gui
