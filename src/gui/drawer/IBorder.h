#pragma once
#include <cstdint>

#include "base/IObject.h"

namespace s::gui::drawer {

class ICanvas;

// The edges of a rectangle in one base colour.
class IBorder : public s::base::IObject {
public:
    // Border types: how the edges are lit.
    static constexpr int32_t kRaised = 0;      // the mouse is over it
    static constexpr int32_t kNormal = 1;
    static constexpr int32_t kSunken = 2;      // pressed
    static constexpr int32_t kOpenBottom = 3;  // no bottom edge
    // Corner kinds.
    static constexpr int32_t kSquareCorners = 0;
    static constexpr int32_t kCutCorners = 1;
    static constexpr int32_t kRoundCorners = 2;

    virtual void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t type,
                       int32_t cornerKind, uint32_t red, uint32_t green, uint32_t blue) = 0;
};

}  // namespace s::gui::drawer
