#pragma once
#include "gui/IContainer.h"

namespace s::gui {

// A framed, titled container holding one content box.
class IGroupBox : public IContainer {
public:
    virtual int32_t titleWidth() const = 0;
    virtual int32_t titleHeight() const = 0;
};

}  // namespace s::gui
