#pragma once
#include <cstdint>
#include <string_view>

#include "base/IObject.h"

namespace s::gui::win {
class FontSetting;
}

namespace s::gui::drawer {

class ICanvas;

// The frame of a group box with its title cut into the top line; the
// title's measured extent comes with the call.
class IGroupBox : public s::base::IObject {
public:
    virtual void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
                       std::u16string_view title, const s::gui::win::FontSetting& font, int32_t titleWidth,
                       int32_t titleHeight) = 0;
};

}  // namespace s::gui::drawer
