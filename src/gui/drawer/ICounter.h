#pragma once
#include <cstdint>

#include "base/IObject.h"

namespace s::gui::drawer {

class ICanvas;

// A counter shown as a bar: the part reached in one colour, the rest in the other.
class ICounter : public s::base::IObject {
public:
    virtual void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t value,
                       int32_t maximum) = 0;
};

}  // namespace s::gui::drawer
