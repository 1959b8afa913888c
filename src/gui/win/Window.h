#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "gui/INativeWindow.h"
#include "gui/IWindow.h"
#include "gui/events/IEventListener.h"
#include "gui/win/Container.h"
#include "thread/EasyPooler.h"
#include "thread/PooledBy.h"

namespace s::app {
class IAppWindow;
}
namespace s::gui::drawer {
class IWindow;
class Skinner;
}  // namespace s::gui::drawer

namespace s::gui::win {

class Control;

// The portable part of a top-level window: its children laid out as a
// column over the client area, its minimum size, and its events. The
// adapter owns the message loop; it decodes each message once and calls the
// matching handler below, on the window's user-interface thread.
class Window : public Container<IWindow>, public s::thread::PooledBy<Window, s::thread::kPoolNeverKeep> {
public:
    enum class SizeState { kRestored, kMinimized, kMaximized };
    // The frame edge being dragged (WMSZ_* order of the window system).
    enum class SizingEdge { kLeft = 1, kRight, kTop, kTopLeft, kTopRight, kBottom, kBottomLeft, kBottomRight };
    enum class MiddleClickAction { kDoNothing, kClose, kIconize };
    // A screen rectangle being dragged, edges as the window system gives them.
    struct Rect {
        int32_t left = 0;
        int32_t top = 0;
        int32_t right = 0;
        int32_t bottom = 0;
    };

    // The window's icon in the notification area calls back with this
    // mouse message in its lParam: only the left click matters here.
    enum class IconMouse { kLeftClick, kRightClick, kOther };
    // A left click on the notification-area icon within this long after the
    // window lost activation still counts as a click on the active window
    // (the click on the icon itself deactivated it).
    static constexpr uint32_t kDeactivationGraceMs = 150;

    Window() { m_visible = false; }
    ~Window() override { reset(); }

    const char16_t* className() const override { return u"s_gui_win_Window"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    // Takes the native window the adapter made for this window (owned from
    // now on), makes the children's windows under it and lays them out.
    void attachNative(INativeWindow* view);
    INativeWindow* nativeWindow() const { return m_nativeWindow; }
    void detachNative() override;

    int32_t innerWidth() const override;
    void setInnerWidth(int32_t w) override;
    int32_t innerHeight() const override;
    void setInnerHeight(int32_t h) override;
    int32_t minWidth() const override;
    int32_t minHeight() const override;
    // A window is not sized by a parent: it prefers the size it has.
    int32_t preferredWidth() const override { return isSet(m_fixedWidth) ? m_fixedWidth : m_width; }
    int32_t preferredHeight() const override { return isSet(m_fixedHeight) ? m_fixedHeight : m_height; }
    void setMinimumSize(int32_t w, int32_t h);

    // Shows the window (placement checks of the bound settings first, then
    // `activate` brings it forward) or hides it (the placement is saved
    // first); the process's working set is trimmed after either. Nothing
    // when the window is in that state already.
    void setVisible(bool visible, bool activate) override;
    void addChild(IComponent* child) override;
    void doLayout() override;
    ILayoutManager* layoutManager() const override;
    void cancelClose() override { m_closeCancelled = true; }

    // Sends a status event to the window's thread and waits until its
    // listeners have handled it; without a native window it does nothing.
    void sendEvent(std::u16string_view name, int32_t first, int32_t second, std::u16string_view text);
    const std::u16string& eventName() const { return m_eventName; }
    int32_t eventFirst() const { return m_eventFirst; }
    int32_t eventSecond() const { return m_eventSecond; }
    const std::u16string& eventText() const { return m_eventText; }

    // --- Behaviours the user sets (stored through the bound settings) ---
    // Remembers the window's settings object (not owned); the behaviours
    // below store their changes through it from then on.
    void bindAppWindow(s::app::IAppWindow* appWindow) { m_appWindow = appWindow; }
    s::app::IAppWindow* appWindow() const { return m_appWindow; }
    void setTitle(std::u16string_view title);
    const std::u16string& title() const { return m_title; }
    void setTopmost(bool topmost);
    bool isTopmost() const { return m_topmost; }
    void setEasyDrag(bool easyDrag);
    bool easyDrag() const { return m_easyDrag; }
    void setMiddleClickAction(MiddleClickAction action);
    MiddleClickAction middleClickAction() const { return m_middleClickAction; }
    SizeState sizeState() const { return m_sizeState; }

    // Brings the window to the foreground: briefly into the always-on-top
    // band when it is not there, so that it really comes first.
    void activate();
    bool isActive() const { return m_active; }
    // Hides the window into the notification area (minimized, hidden, its
    // icon shown). Where the system has no notification area the window
    // stays minimized on the task bar: it never vanishes with no way back.
    void iconize();
    // Back from the notification area (or from maximized) to normal.
    void restore();
    bool isIconized() const { return m_iconized; }
    bool notificationIconShown() const { return m_iconShown; }
    // Asks the window to close as its close box would.
    void close();
    // A click on `button` (a control of this window, not owned) closes the window.
    void addCloseButton(Control* button);

    // --- Skin ---
    // The skinner whose current skin paints the window's frame and its
    // buttons (not owned; it outlives the window). The window follows a
    // change of skin and stores the new skin's name through its settings.
    void setSkinner(s::gui::drawer::Skinner* skinner);
    s::gui::drawer::Skinner* skinner() const { return m_skinner; }
    // The current skin's window drawer (not owned), or null.
    s::gui::drawer::IWindow* windowDrawer() const { return m_windowDrawer; }
    // Stores position, size and maximized state through the bound settings.
    void savePlacement();

    // --- Called by the native adapter on the window's thread ---
    // The close box or a close request: true when the window may close.
    bool onCloseRequested();
    void onUserEvent(std::u16string_view name, int32_t first, int32_t second, std::u16string_view text);
    // The outer size after a size change, and the window's new state.
    void onNativeSize(int32_t outerWidth, int32_t outerHeight, SizeState state);
    // The outer top-left corner on the screen after the window was placed or
    // moved: recorded (the native window is there already), then the
    // listeners hear of the move.
    void onNativeMove(int32_t outerX, int32_t outerY);
    // The frame is being dragged: keeps the rectangle at least the minimum
    // height, moving the dragged edge, then tells the listeners.
    void onSizing(SizingEdge edge, Rect& rect);
    void onMiddleButtonDown();
    // Activation changed; `nowMs` is the system's tick count.
    void onActivated();
    void onDeactivated(uint32_t nowMs);
    void onNotificationIcon(IconMouse mouse, uint32_t nowMs);
    // A second start of the application asks the window to come forward.
    void onWake();
    // The system is shutting down or restarting: close if open, then save
    // the settings at once (the process may not get to do it later). True
    // when the window closed.
    bool onEndSession();
    // The native window is gone.
    void onNativeDestroyed() { m_closed = true; m_visible = false; }
    bool isClosed() const { return m_closed; }
    // Any other happening of the window's table, by its type number.
    void raise(int32_t type) { notify(type); }

protected:
    NativeKind nativeKind() const override { return NativeKind::kCustom; }
    ContentSizes arrange() override { return ContentSizes(); }
    // A window's type 4 is its size message, not every placement.
    void boundsChanged() override {}

private:
    int32_t frameWidth() const { return m_nativeWindow ? m_nativeWindow->frameWidth() : 0; }
    int32_t frameHeight() const { return m_nativeWindow ? m_nativeWindow->frameHeight() : 0; }

    // Hides the window after its close listeners let it go.
    void finishClosing();
    void addIconOrStayMinimized();
    void applyPlacementChecks();

    // Closes the window when one of its close buttons is clicked.
    class CloseButtonListener : public events::IEventListener {
    public:
        explicit CloseButtonListener(Window& window) : m_window(window) {}
        void onEvent(s::base::IObject*, int32_t) override { m_window.close(); }

    private:
        Window& m_window;
    };

    class SkinFollower : public events::IEventListener {
    public:
        explicit SkinFollower(Window& window) : m_window(window) {}
        void onEvent(s::base::IObject*, int32_t) override { m_window.followSkin(); }

    private:
        Window& m_window;
    };
    void followSkin();
    void leaveSkinner();

    INativeWindow* m_nativeWindow = nullptr;  // owned (the same object as m_native)
    CloseButtonListener m_closeButtonListener{*this};
    SkinFollower m_skinFollower{*this};
    s::gui::drawer::Skinner* m_skinner = nullptr;       // not owned
    s::gui::drawer::IWindow* m_windowDrawer = nullptr;  // not owned: the skin's
    s::app::IAppWindow* m_appWindow = nullptr;  // not owned
    std::u16string m_title;
    bool m_topmost = false;
    bool m_easyDrag = false;
    bool m_active = false;
    bool m_iconized = false;
    bool m_iconShown = false;
    bool m_closed = false;
    uint32_t m_lastDeactivationMs = 0;
    int32_t m_minimumWidth = kUnset;
    int32_t m_minimumHeight = kUnset;
    bool m_closeCancelled = false;
    SizeState m_sizeState = SizeState::kRestored;
    MiddleClickAction m_middleClickAction = MiddleClickAction::kDoNothing;
    std::u16string m_eventName;
    int32_t m_eventFirst = 0;
    int32_t m_eventSecond = 0;
    std::u16string m_eventText;
};

}  // namespace s::gui::win
