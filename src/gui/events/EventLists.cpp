#include "gui/events/EventLists.h"

namespace s::gui::events {

void EventLists::add(int32_t type, IEventListener* listener)
{
    if (isKnown(type))
        m_lists[type].add(listener);
}

void EventLists::remove(int32_t type, IEventListener* listener)
{
    if (isKnown(type))
        m_lists[type].remove(listener);
}

int32_t EventLists::count(int32_t type) const
{
    return isKnown(type) ? m_lists[type].count() : 0;
}

void EventLists::notify(s::base::IObject* source, int32_t type)
{
    if (isKnown(type))
        m_lists[type].notify(source, type);
}

void EventLists::clear()
{
    for (ListenerList& list : m_lists)
        list.clear();
}

}  // namespace s::gui::events
