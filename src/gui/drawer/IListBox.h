#pragma once
#include <cstdint>
#include <string_view>

#include "base/IObject.h"

namespace s::gui::win {
class FontSetting;
}

namespace s::gui::drawer {

class ICanvas;

// A list: its background and frame, then one call per visible item.
class IListBox : public s::base::IObject {
public:
    virtual void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    virtual void paintItem(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t index,
                           std::u16string_view text, const s::gui::win::FontSetting* font, bool selected) = 0;
};

}  // namespace s::gui::drawer
