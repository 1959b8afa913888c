#pragma once
#include <cstdint>

#include "gui/events/EventTypes.h"
#include "gui/events/ListenerList.h"

namespace s::gui::events {

// The listener lists of one reporting object, one per type number. Type
// numbers mean different things for different sources (1 is a window's
// close but a box's drop), and each object has its own table.
class EventLists {
public:
    // Unknown types (outside 0..kEventTypeLimit-1) are ignored.
    void add(int32_t type, IEventListener* listener);
    void remove(int32_t type, IEventListener* listener);
    int32_t count(int32_t type) const;
    void notify(s::base::IObject* source, int32_t type);
    void clear();

private:
    static bool isKnown(int32_t type) { return type >= 0 && type < kEventTypeLimit; }

    ListenerList m_lists[kEventTypeLimit];
};

}  // namespace s::gui::events
