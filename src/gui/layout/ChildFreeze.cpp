#include "gui/layout/ChildFreeze.h"

namespace s::gui::layout {

ChildFreeze::ChildFreeze(IContainer& container)
    : m_container(container), m_owner(!container.isFrozen())
{
    if (!m_owner)
        return;
    for (int32_t i = 0; i < m_container.childCount(); ++i)
        m_container.child(i)->freeze();
}

ChildFreeze::~ChildFreeze()
{
    if (!m_owner)
        return;
    for (int32_t i = 0; i < m_container.childCount(); ++i) {
        IComponent* child = m_container.child(i);
        child->unfreeze();
        child->redraw();
    }
}

}  // namespace s::gui::layout
