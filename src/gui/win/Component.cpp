#include "gui/win/Component.h"

#include <algorithm>
#include <limits>

#include "gui/IBox.h"
#include "gui/IGroupBox.h"
#include "gui/ISpacer.h"
#include "gui/IWindow.h"

namespace s::gui::win {

namespace {

// Percent arithmetic runs in 64 bits: a huge parent must not overflow it.
int32_t toInt32(int64_t value)
{
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

// A native window cannot have a negative size.
int32_t nativeLength(int32_t length) { return std::max(length, 0); }

}  // namespace

int32_t clampToLimits(int32_t length, int32_t minimum, int32_t preferred)
{
    if (std::min(length, preferred) < minimum)
        return minimum;
    if (length >= preferred)
        return preferred;
    return length;
}

template <class Interface>
void Component<Interface>::setPosition(int32_t x, int32_t y)
{
    m_x = x;
    m_y = y;
    if (m_frozen)
        m_boundsPending = true;
    else if (m_native)
        m_native->move(m_x + m_offsetX, m_y + m_offsetY);
    boundsChanged();
}

template <class Interface>
void Component<Interface>::setSize(int32_t w, int32_t h)
{
    m_width = w;
    m_height = h;
    if (m_frozen)
        m_boundsPending = true;
    else if (m_native)
        m_native->resize(nativeLength(m_width), nativeLength(m_height));
    boundsChanged();
}

template <class Interface>
void Component<Interface>::setBounds(int32_t x, int32_t y, int32_t w, int32_t h)
{
    m_x = x;
    m_y = y;
    m_width = w;
    m_height = h;
    if (m_frozen)
        m_boundsPending = true;
    else if (m_native)
        m_native->setBounds(m_x + m_offsetX, m_y + m_offsetY, nativeLength(m_width), nativeLength(m_height));
    boundsChanged();
}

template <class Interface>
void Component<Interface>::setOffset(int32_t ox, int32_t oy)
{
    m_offsetX = ox;
    m_offsetY = oy;
    if (m_frozen)
        m_boundsPending = true;
    else if (m_native)
        m_native->move(m_x + m_offsetX, m_y + m_offsetY);
}

template <class Interface>
int32_t Component<Interface>::minWidth() const
{
    return isSet(m_fixedWidth) ? m_fixedWidth : m_naturalMinWidth;
}

template <class Interface>
int32_t Component<Interface>::minHeight() const
{
    return isSet(m_fixedHeight) ? m_fixedHeight : m_naturalMinHeight;
}

template <class Interface>
int32_t Component<Interface>::preferredWidth() const
{
    if (isSet(m_fixedWidth))
        return m_fixedWidth;
    const int32_t fromPercent = percentWidth();
    if (isSet(fromPercent))
        return fromPercent;
    return std::max(m_naturalMinWidth, m_naturalPrefWidth);
}

template <class Interface>
int32_t Component<Interface>::preferredHeight() const
{
    if (isSet(m_fixedHeight))
        return m_fixedHeight;
    const int32_t fromPercent = percentHeight();
    if (isSet(fromPercent))
        return fromPercent;
    return std::max(m_naturalMinHeight, m_naturalPrefHeight);
}

template <class Interface>
int32_t Component<Interface>::percentWidth() const
{
    if (!isSet(m_widthPercent) || !m_parent)
        return kUnset;
    return scalePercent(m_parent->innerWidth(), m_widthPercent);
}

template <class Interface>
int32_t Component<Interface>::percentHeight() const
{
    if (!isSet(m_heightPercent) || !m_parent)
        return kUnset;
    return scalePercent(m_parent->innerHeight(), m_heightPercent);
}

template <class Interface>
int32_t Component<Interface>::scalePercent(int32_t parentInner, int32_t percent) const
{
    // Integer division truncates toward zero, as the controls always have.
    return toInt32(static_cast<int64_t>(parentInner) * percent / 100);
}

template <class Interface>
void Component<Interface>::setVisible(bool visible, bool)
{
    m_visible = visible;
    if (m_native)
        m_native->show(visible);
}

template <class Interface>
bool Component<Interface>::isEnabled() const
{
    return m_native ? m_native->isEnabled() : m_enabled;
}

template <class Interface>
void Component<Interface>::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (m_native)
        m_native->setEnabled(enabled);
}

template <class Interface>
void Component<Interface>::setParent(IContainer* parent)
{
    if (parent != m_parent)
        detachNative();
    m_parent = parent;
    if (m_parent && !m_native && m_parent->nativeView())
        attachTo(*m_parent->nativeView());
}

template <class Interface>
void Component<Interface>::attachTo(INativeView& parentView)
{
    m_native = parentView.createChild(*this, nativeKind());
    if (!m_native)
        return;
    m_native->setBounds(m_x + m_offsetX, m_y + m_offsetY, nativeLength(m_width), nativeLength(m_height));
    if (!m_enabled)
        m_native->setEnabled(false);
    m_native->show(m_visible);
    onAttached();
}

template <class Interface>
void Component<Interface>::detachNative()
{
    if (!m_native)
        return;
    m_native->destroy();
    m_native = nullptr;
}

template <class Interface>
void Component<Interface>::redrawArea(int32_t x, int32_t y, int32_t w, int32_t h)
{
    if (m_native)
        m_native->redrawArea(x, y, w, h);
}

template <class Interface>
void Component<Interface>::redraw()
{
    if (isVisible())
        m_native->redraw();
}

template <class Interface>
void Component<Interface>::setLayoutSize(int32_t w, int32_t h)
{
    const int32_t height = clampToLimits(h, this->minHeight(), this->preferredHeight());
    const int32_t width = clampToLimits(w, this->minWidth(), this->preferredWidth());
    this->setSize(width, height);
    this->relayout();
}

template <class Interface>
const IComponent::Children& Component<Interface>::children() const
{
    static const IComponent::Children kNoChildren;
    return kNoChildren;
}

template <class Interface>
void Component<Interface>::unfreeze()
{
    m_frozen = false;
    if (!m_boundsPending)
        return;
    m_boundsPending = false;
    this->setBounds(m_x, m_y, m_width, m_height);
}

template <class Interface>
void Component<Interface>::resetComponent()
{
    detachNative();
    m_x = m_y = 0;
    m_offsetX = m_offsetY = 0;
    m_width = m_height = 0;
    m_naturalMinWidth = m_naturalMinHeight = 0;
    m_naturalPrefWidth = m_naturalPrefHeight = 0;
    m_widthPercent = m_heightPercent = kUnset;
    m_fixedWidth = m_fixedHeight = kUnset;
    m_frozen = false;
    m_boundsPending = false;
    m_visible = true;
    m_enabled = true;
    m_parent = nullptr;
}

// Every interface the toolkit implements; a new component interface adds
// its line here.
template class Component<IComponent>;
template class Component<ISpacer>;
template class Component<IContainer>;
template class Component<IBox>;
template class Component<IGroupBox>;
template class Component<IWindow>;

}  // namespace s::gui::win
