#pragma once
#include "gui/IComponent.h"

namespace s::gui {

class ILayoutManager;

// A component with an ordered list of children that it lays out.
class IContainer : public IComponent {
public:
    // The layout pass over the children.
    virtual void doLayout() = 0;
    // The custom manager if one was set, else the container's shared default.
    virtual ILayoutManager* layoutManager() const = 0;
};

}  // namespace s::gui
