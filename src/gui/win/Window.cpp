#include "gui/win/Window.h"

#include <algorithm>

#include "app/IAppWindow.h"
#include "gui/drawer/ISkin.h"
#include "gui/drawer/Skinner.h"
#include "gui/events/EventTypes.h"
#include "gui/layout/Vertical.h"
#include "gui/win/Control.h"
#include "map/IMappedData.h"
#include "platform/WorkingSet.h"

namespace s::gui::win {

void Window::reset()
{
    resetContainer();
    leaveSkinner();
    m_nativeWindow = nullptr;  // destroyed with m_native by the container reset
    m_minimumWidth = m_minimumHeight = kUnset;
    m_closeCancelled = false;
    m_sizeState = SizeState::kRestored;
    m_middleClickAction = MiddleClickAction::kDoNothing;
    m_visible = false;
    m_appWindow = nullptr;
    m_title.clear();
    m_topmost = m_easyDrag = m_active = m_iconized = m_iconShown = m_closed = false;
    m_lastDeactivationMs = 0;
    m_eventName.clear();
    m_eventFirst = m_eventSecond = 0;
    m_eventText.clear();
}

void Window::attachNative(INativeWindow* view)
{
    detachNative();
    m_nativeWindow = view;
    m_native = view;
    if (view)
        onAttached();
}

void Window::detachNative()
{
    Container<IWindow>::detachNative();
    m_nativeWindow = nullptr;
}

int32_t Window::innerWidth() const
{
    return std::max(0, m_width - frameWidth());
}

void Window::setInnerWidth(int32_t w)
{
    setSize(std::max(0, w) + frameWidth(), m_height);
}

int32_t Window::innerHeight() const
{
    return std::max(0, m_height - frameHeight());
}

void Window::setInnerHeight(int32_t h)
{
    setSize(m_width, std::max(0, h) + frameHeight());
}

int32_t Window::minWidth() const
{
    if (isSet(m_fixedWidth))
        return m_fixedWidth;
    if (isSet(m_minimumWidth))
        return m_minimumWidth;
    if (m_children.isEmpty())
        return 0;
    int32_t widest = 0;
    for (int32_t i = 0; i < m_children.count(); ++i)
        widest = std::max(widest, m_children.at(i)->minWidth());
    return widest + frameWidth();
}

int32_t Window::minHeight() const
{
    if (isSet(m_fixedHeight))
        return m_fixedHeight;
    if (isSet(m_minimumHeight))
        return m_minimumHeight;
    if (m_children.isEmpty())
        return 0;
    int32_t sum = 0;
    for (int32_t i = 0; i < m_children.count(); ++i)
        sum += m_children.at(i)->minHeight();
    return sum + frameHeight();
}

void Window::setMinimumSize(int32_t w, int32_t h)
{
    m_minimumWidth = w;
    m_minimumHeight = h;
}

void Window::setVisible(bool visible, bool activate)
{
    if (visible == m_visible)
        return;
    if (visible) {
        applyPlacementChecks();
        if (activate)
            this->activate();
        if (m_nativeWindow)
            m_nativeWindow->showWindow(activate);
        m_visible = true;
    } else {
        savePlacement();
        if (m_native)
            m_native->show(false);
        m_visible = false;
    }
    s::platform::trimWorkingSet();
}

void Window::applyPlacementChecks()
{
    if (!m_appWindow || m_sizeState == SizeState::kMaximized)
        return;
    if (m_appWindow->maximized()) {
        if (m_nativeWindow)
            m_nativeWindow->maximize();
        return;
    }
    if (!m_appWindow->hasPosition())
        m_appWindow->centreOnWorkArea(*this);
    // Stored on a monitor that is gone, say.
    if (!m_appWindow->isOnScreen(*this))
        m_appWindow->centreOnWorkArea(*this);
}

void Window::savePlacement()
{
    if (m_appWindow)
        m_appWindow->savePlacement(*this);
}

void Window::addChild(IComponent* child)
{
    if (!child)
        return;
    for (int32_t i = 0; i < m_children.count(); ++i) {
        if (m_children.at(i) == child)
            return;
    }
    m_children.add(child);
    child->setParent(this);
    doLayout();
}

void Window::doLayout()
{
    if (m_layoutSuspended || m_layoutDepth >= kMaxLayoutDepth)
        return;
    ++m_layoutDepth;
    layoutManager()->layout(*this);
    --m_layoutDepth;
}

ILayoutManager* Window::layoutManager() const
{
    if (m_customManager)
        return m_customManager;
    return &s::gui::layout::Vertical::shared();
}

void Window::sendEvent(std::u16string_view name, int32_t first, int32_t second, std::u16string_view text)
{
    if (m_nativeWindow)
        m_nativeWindow->sendUserEvent(name, first, second, text);
}

bool Window::onCloseRequested()
{
    if (m_closed)
        return true;
    m_closeCancelled = false;
    notify(events::kWindowClosing);
    if (m_closeCancelled)
        return false;
    finishClosing();
    return true;
}

void Window::finishClosing()
{
    setVisible(false, false);
    if (m_iconShown && m_nativeWindow)
        m_nativeWindow->removeNotificationIcon();
    m_iconShown = false;
    m_iconized = false;
    m_closed = true;
}

bool Window::onEndSession()
{
    const bool closed = onCloseRequested();
    s::map::IMappedData* store = m_appWindow ? m_appWindow->store() : nullptr;
    if (closed && store)
        store->save();
    return closed;
}

void Window::close()
{
    if (m_nativeWindow)
        m_nativeWindow->requestClose();
}

void Window::addCloseButton(Control* button)
{
    if (button)
        button->addListener(events::kButtonClicked, &m_closeButtonListener);
}

void Window::setSkinner(s::gui::drawer::Skinner* skinner)
{
    if (skinner == m_skinner)
        return;
    leaveSkinner();
    m_skinner = skinner;
    if (!m_skinner)
        return;
    s::gui::drawer::ISkin* skin = m_skinner->currentSkin();
    m_windowDrawer = skin ? skin->window() : nullptr;
    m_skinner->addListener(&m_skinFollower);
}

void Window::followSkin()
{
    s::gui::drawer::ISkin* skin = m_skinner ? m_skinner->currentSkin() : nullptr;
    m_windowDrawer = skin ? skin->window() : nullptr;
    if (skin && m_appWindow)
        m_appWindow->setSkin(skin->name());
    if (m_native)
        m_native->redraw();
}

void Window::leaveSkinner()
{
    if (m_skinner)
        m_skinner->removeListener(&m_skinFollower);
    m_skinner = nullptr;
    m_windowDrawer = nullptr;
}

// --- Behaviours ------------------------------------------------------------------------------

void Window::setTitle(std::u16string_view title)
{
    m_title.assign(title.data(), title.size());
    if (m_native)
        m_native->setText(m_title);
    if (m_iconShown && m_nativeWindow)
        m_nativeWindow->updateNotificationTip(m_title);
}

void Window::setTopmost(bool topmost)
{
    if (m_nativeWindow)
        m_nativeWindow->setTopmost(topmost, m_visible);
    m_topmost = topmost;
    if (m_appWindow)
        m_appWindow->setKeepOnTop(topmost);
}

void Window::setEasyDrag(bool easyDrag)
{
    if (m_nativeWindow)
        m_nativeWindow->setEasyDrag(easyDrag);
    m_easyDrag = easyDrag;
    if (m_appWindow)
        m_appWindow->setEasyDrag(easyDrag);
}

void Window::setMiddleClickAction(MiddleClickAction action)
{
    m_middleClickAction = action;
    if (!m_appWindow)
        return;
    switch (action) {
    case MiddleClickAction::kClose:
        m_appWindow->setMiddleClickAction(u"Close");
        break;
    case MiddleClickAction::kIconize:
        m_appWindow->setMiddleClickAction(u"Iconize");
        break;
    case MiddleClickAction::kDoNothing:
        m_appWindow->setMiddleClickAction(u"DoNothing");
        break;
    }
}

void Window::activate()
{
    // A window outside the always-on-top band may be kept behind others by
    // the system; entering the band for a moment brings it to the front.
    // The two calls store "KeepOnTop" twice; it ends as it was.
    const bool wasTopmost = m_topmost;
    setTopmost(true);
    if (m_nativeWindow)
        m_nativeWindow->bringToForeground();
    if (!wasTopmost)
        setTopmost(false);
    m_active = true;
}

void Window::iconize()
{
    if (m_iconized || !m_nativeWindow)
        return;
    m_nativeWindow->minimize();
    if (!m_iconShown)
        m_iconShown = m_nativeWindow->addNotificationIcon(m_title);
    // Without an icon to come back by, the window stays minimized on the
    // task bar instead of vanishing.
    if (!m_iconShown)
        return;
    setVisible(false, false);  // minimized: no placement is saved
    m_iconized = true;
}

void Window::restore()
{
    if (m_sizeState == SizeState::kMaximized && m_appWindow)
        m_appWindow->setMaximized(false);
    if (m_iconized) {
        setVisible(true, true);
        if (m_nativeWindow)
            m_nativeWindow->bringToForeground();
        m_iconized = false;
        if (m_iconShown && m_nativeWindow)
            m_nativeWindow->removeNotificationIcon();
        m_iconShown = false;
    }
    if (m_nativeWindow)
        m_nativeWindow->restoreFromMinOrMax();
}

void Window::onActivated()
{
    m_active = true;
    notify(events::kWindowActivated);
}

void Window::onDeactivated(uint32_t nowMs)
{
    m_active = false;
    m_lastDeactivationMs = nowMs;
    notify(events::kWindowDeactivated);
}

void Window::onNotificationIcon(IconMouse mouse, uint32_t nowMs)
{
    if (mouse == IconMouse::kRightClick) {
        notify(events::kWindowTrayRightButton);
        return;
    }
    if (mouse != IconMouse::kLeftClick)
        return;
    notify(events::kWindowTrayLeftButton);
    if (m_iconized) {
        restore();
        return;
    }
    // The click on the icon took the activation away from the window just
    // now: to the user the window was active, and the click hides it.
    if (m_active || nowMs - m_lastDeactivationMs < kDeactivationGraceMs) {
        iconize();
        return;
    }
    activate();
    if (m_sizeState == SizeState::kMinimized)
        restore();
}

void Window::onWake()
{
    if (m_iconized)
        restore();
    if (m_sizeState == SizeState::kMinimized)
        restore();
    activate();
}

void Window::onUserEvent(std::u16string_view name, int32_t first, int32_t second, std::u16string_view text)
{
    // Kept until the next event, for listeners to read.
    m_eventName.assign(name);
    m_eventFirst = first;
    m_eventSecond = second;
    m_eventText.assign(text);
    notify(events::kWindowUserEvent);
}

void Window::onNativeSize(int32_t outerWidth, int32_t outerHeight, SizeState state)
{
    const bool restoredFromIconOrFull = state == SizeState::kRestored && m_sizeState != SizeState::kRestored;
    m_sizeState = state;
    // The native window has this size already: only the record follows.
    m_width = outerWidth;
    m_height = outerHeight;
    if (state != SizeState::kMinimized)
        doLayout();
    if (restoredFromIconOrFull)
        notify(events::kWindowRestored);
    notify(events::kWindowSized);
}

void Window::onNativeMove(int32_t outerX, int32_t outerY)
{
    // Not setPosition: that would move the native window once more.
    m_x = outerX - m_offsetX;
    m_y = outerY - m_offsetY;
    notify(events::kWindowMoved);
}

void Window::onSizing(SizingEdge edge, Rect& rect)
{
    const int32_t minimum = minHeight();
    if (rect.bottom - rect.top < minimum) {
        const bool bottomDragged =
            edge == SizingEdge::kBottom || edge == SizingEdge::kBottomLeft || edge == SizingEdge::kBottomRight;
        if (bottomDragged)
            rect.bottom = rect.top + minimum;
        else
            rect.top = rect.bottom - minimum;
    }
    notify(events::kWindowSizing);
}

void Window::onMiddleButtonDown()
{
    notify(events::kWindowMiddleButtonDown);
    if (!m_nativeWindow)
        return;
    switch (m_middleClickAction) {
    case MiddleClickAction::kClose:
        close();
        break;
    case MiddleClickAction::kIconize:
        iconize();
        break;
    case MiddleClickAction::kDoNothing:
        break;
    }
}

}  // namespace s::gui::win
