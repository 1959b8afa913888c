#include "gui/win/Window.h"

#include <algorithm>

#include "gui/events/EventTypes.h"
#include "gui/layout/Vertical.h"

namespace s::gui::win {

void Window::reset()
{
    resetContainer();
    m_nativeWindow = nullptr;  // destroyed with m_native by the container reset
    m_minimumWidth = m_minimumHeight = kUnset;
    m_closeCancelled = false;
    m_sizeState = SizeState::kRestored;
    m_middleClickAction = MiddleClickAction::kDoNothing;
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

void Window::setVisible(bool visible, bool)
{
    m_visible = visible;
    if (m_native)
        m_native->show(visible);
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
    m_closeCancelled = false;
    notify(events::kWindowClosing);
    return !m_closeCancelled;
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
        m_nativeWindow->requestClose();
        break;
    case MiddleClickAction::kIconize:
        m_nativeWindow->hideToNotificationArea();
        break;
    case MiddleClickAction::kDoNothing:
        break;
    }
}

}  // namespace s::gui::win
