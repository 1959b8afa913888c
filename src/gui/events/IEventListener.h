#pragma once
#include <cstdint>

namespace s::base {
class IObject;
}

namespace s::gui::events {

// Anything that wants to hear from a window, box or control. The source is
// the reporting object (a dialog compares it with its own members); the type
// is one of the numbers of EventTypes.h for that kind of source.
class IEventListener {
public:
    virtual ~IEventListener() = default;
    virtual void onEvent(s::base::IObject* source, int32_t type) = 0;
};

}  // namespace s::gui::events
