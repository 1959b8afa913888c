#pragma once
#include <cstdint>

#include "col/_array/ArrayBase.h"

namespace s::base {
class IObject;
}

namespace s::gui::events {

class IEventListener;

// The ordered listeners of one kind of happening. The list does not own
// them. A listener may add another listener (or remove one) while it is
// being told: notify() reads the length again after every call.
class ListenerList {
public:
    void add(IEventListener* listener);
    // Takes out the first entry of the listener, if it is there.
    void remove(IEventListener* listener);
    void clear() { m_listeners.clear(); }
    int32_t count() const { return m_listeners.count(); }
    IEventListener* at(int32_t index) const { return m_listeners.at(index); }

    void notify(s::base::IObject* source, int32_t type);

private:
    s::col::_array::ArrayBase<IEventListener*> m_listeners;  // not owned
};

}  // namespace s::gui::events
