#pragma once
#include <cstdint>

#include "base/IObject.h"

namespace s::gui::drawer {

class ICanvas;

// The frame of a tab box: the row of tabs on top and the page under it.
class ITabBox : public s::base::IObject {
public:
    virtual void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
                       int32_t tabRowHeight) = 0;
};

}  // namespace s::gui::drawer
