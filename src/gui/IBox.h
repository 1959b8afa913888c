#pragma once
#include "gui/IContainer.h"

namespace s::gui {

// A container that arranges its children as a row, column, flow or pile
// (layoutType, see LayoutTypes.h).
class IBox : public IContainer {
public:
    virtual int32_t layoutType() const = 0;
};

}  // namespace s::gui
