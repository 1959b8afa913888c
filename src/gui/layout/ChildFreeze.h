#pragma once
#include "gui/IContainer.h"

namespace s::gui::layout {

// Freezes a container's children for one arrangement so that each child's
// native window is moved once, when the pass is over, instead of at every
// intermediate size. A container that is itself frozen is inside its
// parent's pass: its children are frozen already and stay so until the
// outermost pass ends.
class ChildFreeze {
public:
    explicit ChildFreeze(IContainer& container);
    ~ChildFreeze();
    ChildFreeze(const ChildFreeze&) = delete;
    ChildFreeze& operator=(const ChildFreeze&) = delete;

private:
    IContainer& m_container;
    bool m_owner;  // this pass froze the children and must thaw them
};

}  // namespace s::gui::layout
