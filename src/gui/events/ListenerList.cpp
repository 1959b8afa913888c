#include "gui/events/ListenerList.h"

#include "gui/events/IEventListener.h"

namespace s::gui::events {

void ListenerList::add(IEventListener* listener)
{
    if (listener)
        m_listeners.add(listener);
}

void ListenerList::remove(IEventListener* listener)
{
    for (int32_t i = 0; i < m_listeners.count(); ++i) {
        if (m_listeners.at(i) == listener) {
            m_listeners.removeAt(i);
            return;
        }
    }
}

void ListenerList::notify(s::base::IObject* source, int32_t type)
{
    // The bound is read again on each round: a listener may register another
    // one for the same happening, which then hears this event too.
    for (int32_t i = 0; i < m_listeners.count(); ++i)
        m_listeners.at(i)->onEvent(source, type);
}

}  // namespace s::gui::events
