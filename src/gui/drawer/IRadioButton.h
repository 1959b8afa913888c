#pragma once
#include <cstdint>
#include <string_view>

#include "base/IObject.h"

namespace s::gui::win {
class FontSetting;
}

namespace s::gui::drawer {

class ICanvas;

// A radio button: the round mark at the left, its dot, and the text beside it.
class IRadioButton : public s::base::IObject {
public:
    virtual void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, bool selected,
                       bool enabled, std::u16string_view text, const s::gui::win::FontSetting* font) = 0;
};

}  // namespace s::gui::drawer
