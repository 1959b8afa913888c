#include "gui/win/Container.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "gui/IBox.h"
#include "gui/IGroupBox.h"
#include "gui/IWindow.h"
#include "gui/events/EventTypes.h"
#include "gui/layout/FlowH.h"
#include "thread/Pooled.h"

namespace s::gui::win {

template <class Interface>
int32_t Container<Interface>::innerWidth() const
{
    return std::max(0, this->m_width - m_marginLeft - m_marginRight);
}

template <class Interface>
void Container<Interface>::setInnerWidth(int32_t w)
{
    this->setWidth(std::max(0, w + m_marginLeft + m_marginRight));
}

template <class Interface>
int32_t Container<Interface>::innerHeight() const
{
    return std::max(0, this->m_height - m_marginTop - m_marginBottom);
}

template <class Interface>
void Container<Interface>::setInnerHeight(int32_t h)
{
    this->setHeight(std::max(0, h + m_marginTop + m_marginBottom));
}

template <class Interface>
int32_t Container<Interface>::minWidth() const
{
    if (isSet(this->m_fixedWidth))
        return this->m_fixedWidth;
    return m_marginLeft + m_marginRight + m_content.minWidth;
}

template <class Interface>
int32_t Container<Interface>::minHeight() const
{
    if (isSet(this->m_fixedHeight))
        return this->m_fixedHeight;
    return m_marginTop + m_marginBottom + m_content.minHeight;
}

template <class Interface>
int32_t Container<Interface>::preferredWidth() const
{
    if (isSet(this->m_fixedWidth))
        return this->m_fixedWidth;
    const int32_t fromPercent = this->percentWidth();
    if (isSet(fromPercent))
        return fromPercent;
    return m_marginLeft + m_marginRight + std::max(m_content.minWidth, m_content.prefWidth);
}

template <class Interface>
int32_t Container<Interface>::preferredHeight() const
{
    if (isSet(this->m_fixedHeight))
        return this->m_fixedHeight;
    const int32_t fromPercent = this->percentHeight();
    if (isSet(fromPercent))
        return fromPercent;
    return m_marginTop + m_marginBottom + std::max(m_content.minHeight, m_content.prefHeight);
}

// The content-area measures are the outer ones less the margins; no
// arrangement reads them, they serve callers that size a box from inside.
template <class Interface>
int32_t Container<Interface>::innerMinWidth() const
{
    return std::max(0, this->minWidth() - m_marginLeft - m_marginRight);
}

template <class Interface>
int32_t Container<Interface>::innerMinHeight() const
{
    return std::max(0, this->minHeight() - m_marginTop - m_marginBottom);
}

template <class Interface>
int32_t Container<Interface>::innerPreferredWidth() const
{
    return std::max(0, this->preferredWidth() - m_marginLeft - m_marginRight);
}

template <class Interface>
int32_t Container<Interface>::innerPreferredHeight() const
{
    return std::max(0, this->preferredHeight() - m_marginTop - m_marginBottom);
}

template <class Interface>
int32_t Container<Interface>::scalePercent(int32_t parentInner, int32_t percent) const
{
    // A box rounds its share half away from zero (37.5 gives 38).
    const double share = std::round(static_cast<double>(static_cast<int64_t>(parentInner) * percent) / 100.0);
    return static_cast<int32_t>(std::clamp<double>(share, std::numeric_limits<int32_t>::min(),
                                                   std::numeric_limits<int32_t>::max()));
}

template <class Interface>
void Container<Interface>::setVisible(bool visible, bool withChildren)
{
    if (visible && !this->m_visible) {
        this->m_visible = true;
        if (this->m_native)
            this->m_native->show(true);
        if (withChildren) {
            for (int32_t i = 0; i < m_children.count(); ++i)
                m_children.at(i)->setVisible(true, true);
        }
        // The shown box takes room again: its parent settles twice, as its
        // own height may follow the width the first pass gives it.
        if (this->m_native && this->m_parent) {
            this->m_parent->relayout();
            this->m_parent->relayout();
        }
        return;
    }
    if (!visible && this->m_visible) {
        this->m_visible = false;
        if (this->m_native)
            this->m_native->show(false);
        this->setPosition(kHiddenX, kHiddenY);
        for (int32_t i = 0; i < m_children.count(); ++i)
            m_children.at(i)->setVisible(false, true);
    }
}

template <class Interface>
void Container<Interface>::addChild(IComponent* child)
{
    if (!child)
        return;
    // The container owns its children: one entry each, or removal would
    // release the same object twice.
    for (int32_t i = 0; i < m_children.count(); ++i) {
        if (m_children.at(i) == child)
            return;
    }
    m_children.add(child);
    child->setParent(this);
    if (!this->m_native)
        return;  // attached and laid out when this container is attached
    applyMarginOffset(*child);
    this->doLayout();
    relayoutParent();
}

template <class Interface>
void Container<Interface>::removeChild(IComponent* child, bool recursive)
{
    if (m_children.isEmpty())
        return;
    for (int32_t i = 0; i < m_children.count(); ++i) {
        if (m_children.at(i) != child)
            continue;
        m_children.removeAt(i);
        if (recursive && child->isContainer())
            child->removeAllChildren(true);
        child->setParent(nullptr);
        s::thread::releaseToPool(child);
        break;
    }
    this->doLayout();
}

template <class Interface>
void Container<Interface>::removeAllChildren(bool recursive)
{
    while (!m_children.isEmpty()) {
        IComponent* last = m_children.removeAt(m_children.count() - 1);
        if (recursive && last->isContainer())
            last->removeAllChildren(true);
        last->setParent(nullptr);
        s::thread::releaseToPool(last);
    }
}

template <class Interface>
IComponent* Container<Interface>::child(int32_t index) const
{
    if (index < 0 || index >= m_children.count())
        return nullptr;
    return m_children.at(index);
}

template <class Interface>
void Container<Interface>::freeze()
{
    Component<Interface>::freeze();
    for (int32_t i = 0; i < m_children.count(); ++i)
        m_children.at(i)->freeze();
}

template <class Interface>
void Container<Interface>::unfreeze()
{
    Component<Interface>::unfreeze();
    for (int32_t i = 0; i < m_children.count(); ++i)
        m_children.at(i)->unfreeze();
}

template <class Interface>
void Container<Interface>::detachNative()
{
    // Child windows go first: their views must not outlive the parent's.
    for (int32_t i = 0; i < m_children.count(); ++i)
        m_children.at(i)->detachNative();
    Component<Interface>::detachNative();
}

template <class Interface>
void Container<Interface>::doLayout()
{
    if (m_layoutSuspended || m_layoutDepth >= kMaxLayoutDepth)
        return;
    ++m_layoutDepth;
    m_content = ContentSizes();
    if (!m_children.isEmpty()) {
        if (m_customManager)
            m_customManager->layout(*this);
        else
            m_content = arrange();
    }
    notify(events::kBoxLaidOut);
    --m_layoutDepth;
}

template <class Interface>
ILayoutManager* Container<Interface>::layoutManager() const
{
    if (m_customManager)
        return m_customManager;
    return &s::gui::layout::FlowH::shared();
}

template <class Interface>
void Container<Interface>::fillParent()
{
    this->m_widthPercent = 100;
    this->m_heightPercent = 100;
}

template <class Interface>
void Container<Interface>::setWidthPercent(int32_t percent, bool relayoutParentToo)
{
    this->m_widthPercent = percent;
    this->m_fixedWidth = kUnset;
    if (this->m_native)
        this->doLayout();
    if (relayoutParentToo)
        relayoutParent();
}

template <class Interface>
void Container<Interface>::setHeightPercent(int32_t percent, bool relayoutParentToo)
{
    this->m_heightPercent = percent;
    this->m_fixedHeight = kUnset;
    if (this->m_native)
        this->doLayout();
    if (relayoutParentToo)
        relayoutParent();
}

template <class Interface>
void Container<Interface>::setFixedWidth(int32_t width, bool relayoutParentToo)
{
    this->m_fixedWidth = width;
    this->m_widthPercent = kUnset;
    if (this->m_native)
        this->doLayout();
    if (relayoutParentToo)
        relayoutParent();
}

template <class Interface>
void Container<Interface>::setFixedHeight(int32_t height, bool relayoutParentToo)
{
    this->m_fixedHeight = height;
    this->m_heightPercent = kUnset;
    if (this->m_native)
        this->doLayout();
    if (relayoutParentToo)
        relayoutParent();
}

template <class Interface>
void Container<Interface>::relayoutParent()
{
    if (!this->m_parent)
        return;
    for (int32_t i = parentRelayouts(); i > 0; --i)
        this->m_parent->relayout();
}

template <class Interface>
void Container<Interface>::onAttached()
{
    // The children's windows are made under ours first; passes they ask for
    // meanwhile would only measure a half-built tree.
    m_layoutSuspended = true;
    for (int32_t i = 0; i < m_children.count(); ++i) {
        IComponent* each = m_children.at(i);
        each->setParent(this);
        applyMarginOffset(*each);
    }
    m_layoutSuspended = false;
    this->doLayout();
}

template <class Interface>
void Container<Interface>::boundsChanged()
{
    notify(events::kBoxMoved);
}

template <class Interface>
void Container<Interface>::applyMarginOffset(IComponent& child)
{
    if (m_marginLeft != 0 || m_marginTop != 0)
        child.setOffset(m_marginLeft, m_marginTop);
}

template <class Interface>
void Container<Interface>::applyMarginOffsets()
{
    // Unlike a newly added child, whose offset is 0 already, the children
    // here may carry the old margins, so they get the new ones even when
    // those are 0.
    for (int32_t i = 0; i < m_children.count(); ++i)
        m_children.at(i)->setOffset(m_marginLeft, m_marginTop);
}

template <class Interface>
void Container<Interface>::resetContainer()
{
    removeAllChildren(true);
    m_marginLeft = m_marginRight = m_marginTop = m_marginBottom = 0;
    m_content = ContentSizes();
    m_customManager = nullptr;
    m_layoutSuspended = false;
    m_layoutDepth = 0;
    m_events.clear();
    this->resetComponent();
}

template class Container<IContainer>;
template class Container<IBox>;
template class Container<IGroupBox>;
template class Container<IWindow>;

}  // namespace s::gui::win
