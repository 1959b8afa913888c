#pragma once
#include "base/IObject.h"

namespace s::gui {

class IContainer;

// Replaces a container's built-in arrangement. A manager positions and sizes
// the children but leaves the container's content sizes alone. Managers are
// pooled (their pool mixin brings s::thread::IPoolable); the shared ones
// live as long as the process.
class ILayoutManager : public s::base::IObject {
public:
    virtual void layout(IContainer& container) = 0;
};

}  // namespace s::gui
