#pragma once
#include "gui/IComponent.h"

namespace s::gui {

// An empty component that only takes room.
class ISpacer : public IComponent {
public:
    virtual int32_t orientation() const = 0;
};

}  // namespace s::gui
