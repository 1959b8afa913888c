#pragma once
#include <cstdint>

#include "gui/LayoutTypes.h"

namespace s::gui::layout {

// Alignment and spacing of one arrangement. Layout managers arrange with
// the defaults: top-left, no spacing.
struct ArrangeSettings {
    int32_t hAlign = kAlignLeft;
    int32_t vAlign = kAlignTop;
    int32_t hSpacing = 0;
    int32_t vSpacing = 0;
};

}  // namespace s::gui::layout
