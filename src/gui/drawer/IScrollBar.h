#pragma once
#include <cstdint>

#include "base/IObject.h"

namespace s::gui::drawer {

class ICanvas;

// A scroll bar: arrows at both ends and the thumb between them.
class IScrollBar : public s::base::IObject {
public:
    // thumbStart counts from the end of the first arrow.
    virtual void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, bool vertical,
                       int32_t thumbStart, int32_t thumbLength) = 0;
};

}  // namespace s::gui::drawer
