#pragma once
#include <cstdint>

#include "base/IObject.h"

namespace s::gui::drawer {

class ICanvas;

// The background of a status bar (its sections paint themselves).
class IStatusBar : public s::base::IObject {
public:
    virtual void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
};

}  // namespace s::gui::drawer
