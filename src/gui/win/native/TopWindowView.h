#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string_view>

#include "gui/INativeWindow.h"
#include "gui/IWindowHost.h"

namespace s::gui::win {
class Window;
}

namespace s::gui::win::native {

// The native side of a top-level toolkit window. Its one window procedure
// decodes each message once and calls the matching handler of the portable
// s::gui::win::Window; notifications of the controls placed directly on the
// window go to their views as in every box.
class TopWindowView : public INativeWindow {
public:
    static constexpr const wchar_t* kClassName = L"s_gui_win_native_Window";
    // A status event from a worker (wParam: a UserEvent*).
    static constexpr UINT kUserEventMessage = WM_USER + 1;
    // The notification-area icon's mouse messages (lParam: the mouse message).
    static constexpr UINT kNotificationIconMessage = WM_USER + 2;
    // A second start of the application asks this window to come forward.
    static constexpr UINT kWakeMessage = WM_USER + 3;
    static constexpr UINT kPrivateMessage = WM_USER + 7;
    // A task to run on the window's thread (wParam: a const std::function<void()>*).
    static constexpr UINT kRunTaskMessage = WM_APP + 1;

    // What sendUserEvent hands over; it lives on the sender's stack while
    // the window thread handles it.
    struct UserEvent {
        std::u16string_view name;
        int32_t first = 0;
        int32_t second = 0;
        std::u16string_view text;
    };
    // A later handler for messages the procedure does not know (the
    // notification-area icon, for one): true when it handled the message.
    using MessageHook = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

    explicit TopWindowView(Window& owner) : m_owner(owner) {}
    // Makes the window, hidden, with the frame, title, icons and place the
    // options give.
    bool create(const s::gui::WindowOptions& options);
    HWND handle() const { return m_window; }
    // The user-interface thread ends when its only window is gone.
    void setQuitOnDestroy(bool quit) { m_quitOnDestroy = quit; }
    // Runs after the window has restored itself and come to the front.
    void setWakeHandler(std::function<void()> handler) { m_wakeHandler = std::move(handler); }
    void setMessageHook(MessageHook hook) { m_messageHook = std::move(hook); }

    INativeView* createChild(IComponent& owner, NativeKind kind) override;
    void destroy() override;
    void move(int32_t x, int32_t y) override;
    void resize(int32_t width, int32_t height) override;
    void setBounds(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void show(bool visible) override;
    bool isEnabled() const override;
    void setEnabled(bool enabled) override;
    void redrawArea(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void redraw() override;
    void setText(std::u16string_view text) override;
    TextExtent measureText(std::u16string_view text) const override;

    int32_t frameWidth() const override;
    int32_t frameHeight() const override;
    bool isMinimized() const override;
    void requestClose() override;
    void sendUserEvent(std::u16string_view name, int32_t first, int32_t second, std::u16string_view text) override;
    void setTopmost(bool topmost, bool visible) override;
    void setEasyDrag(bool easyDrag) override;
    void showWindow(bool activate) override;
    void bringToForeground() override;
    void setRedraw(bool on) override;
    void minimize() override;
    void maximize() override;
    void restoreFromMinOrMax() override;
    bool isMaximized() const override;
    bool addNotificationIcon(std::u16string_view tip) override;
    void updateNotificationTip(std::u16string_view tip) override;
    void removeNotificationIcon() override;

    // Whether the top-level window `window` is dragged by its body: its boxes
    // then let the mouse through to it.
    static bool hasEasyDrag(HWND window);

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The width of a thin frame on every side: its 1-pixel line and the
    // skin's fill inside it.
    static constexpr int32_t kThinFrameWidth = 3;
    // Paints the area outside the client rectangle as the screen shows it
    // onto `dc` (the whole window at 0, 0): the skin's window drawer, or
    // the face colour without one.
    void paintFrame(HDC dc, int32_t width, int32_t height) const;

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void reportSize(WPARAM kind);
    void reportPosition();
    LRESULT keepSizingAtMinimum(WPARAM edge, RECT& rect);
    void applyMinimumSize(MINMAXINFO& limits) const;
    void wake();
    void onNotificationIcon(LPARAM mouseMessage);
    // Windows is ending the session (not only logging off): close and save.
    void endSession();
    bool notifyIcon(DWORD action, std::u16string_view tip);
    void forgetHandle();
    LRESULT hitTest(WPARAM wParam, LPARAM lParam);
    SIZE frameSize() const;
    // The thin frame of a skinned window: its room, its painting in one
    // copy, and the window's shape from the drawer.
    void insetForThinFrame(RECT& proposed) const;
    void repaintFrame();
    void applySkinRegion();
    // A press on the body that easy drag turned into a caption press.
    bool isBodyPress(WPARAM hit, LPARAM screenPoint) const;

    HWND m_window = nullptr;
    Window& m_owner;  // not owned: the window owns this view
    bool m_quitOnDestroy = false;
    bool m_showMaximized = false;  // the first show only
    bool m_iconAdded = false;
    mutable SIZE m_lastFrame{0, 0};
    bool m_thinFrame = false;
    HICON m_smallIcon = nullptr;   // not owned
    std::function<void()> m_wakeHandler;
    MessageHook m_messageHook;
};

}  // namespace s::gui::win::native
