#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "gui/INativeWindow.h"
#include "gui/IWindow.h"
#include "gui/win/Container.h"
#include "thread/EasyPooler.h"
#include "thread/PooledBy.h"

namespace s::gui::win {

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

    Window() = default;
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

    void setVisible(bool visible, bool withChildren) override;
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

    void setMiddleClickAction(MiddleClickAction action) { m_middleClickAction = action; }
    MiddleClickAction middleClickAction() const { return m_middleClickAction; }
    SizeState sizeState() const { return m_sizeState; }

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

    INativeWindow* m_nativeWindow = nullptr;  // owned (the same object as m_native)
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
