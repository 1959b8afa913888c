#pragma once
#include <cstdint>

#include "base/IObject.h"
#include "gui/drawer/Region.h"

namespace s::gui::drawer {

class ICanvas;

// Paints the area of a skinned window outside its client rectangle and
// gives the window its shape.
class IWindow : public s::base::IObject {
public:
    // Corner kinds of the top and bottom pair of corners.
    static constexpr int32_t kCornersSquare = 0;
    static constexpr int32_t kCornersSmallRound = 1;
    static constexpr int32_t kCornersLargeRound = 2;

    virtual void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    virtual Region region(int32_t left, int32_t top, int32_t right, int32_t bottom) const = 0;
    virtual void setTopCorners(int32_t kind) = 0;
    virtual void setBottomCorners(int32_t kind) = 0;
    virtual void setFillColour(uint32_t colour) = 0;
    virtual void setFrameColour(uint32_t colour) = 0;
    virtual void setTransparent(bool transparent) = 0;
};

}  // namespace s::gui::drawer
