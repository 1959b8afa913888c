#pragma once
#include <cstdint>

#include "base/IObject.h"

namespace s::gui::drawer {

class ICanvas;

// A horizontal slider: the track across the middle and the thumb on it.
class ISlider : public s::base::IObject {
public:
    // thumbLeft counts from the left of the rectangle.
    virtual void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t thumbLeft,
                       int32_t thumbWidth, bool enabled) = 0;
};

}  // namespace s::gui::drawer
