#pragma once
#include <cstdint>

namespace s::gui::layout {

// What an arrangement found its children need, without the box's margins.
struct ContentSizes {
    int32_t minWidth = 0;
    int32_t minHeight = 0;
    int32_t prefWidth = 0;
    int32_t prefHeight = 0;
};

}  // namespace s::gui::layout
