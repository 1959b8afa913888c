#pragma once
#include "gui/IContainer.h"

namespace s::gui {

// A top-level window: a container whose content area is its client area.
class IWindow : public IContainer {
public:
    // Called by a close listener while it is being told of the close, to
    // keep the window open.
    virtual void cancelClose() = 0;
};

}  // namespace s::gui
