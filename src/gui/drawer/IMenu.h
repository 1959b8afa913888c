#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "base/IObject.h"

namespace s::gui::win {
class FontSetting;
}

namespace s::gui::drawer {

class ICanvas;

// The entries of a menu bar.
class IMenu : public s::base::IObject {
public:
    struct Entry {
        std::u16string_view text;  // not owned: valid for the paint call
        int32_t left = 0;
        int32_t top = 0;
        int32_t right = 0;
        int32_t bottom = 0;
    };

    // The entries' texts in their rectangles moved in by the margins, in the
    // normal font; `active` (-1 for none) is the highlighted one.
    virtual void paint(ICanvas& canvas, const std::vector<Entry>& entries, const s::gui::win::FontSetting& normalFont,
                       int32_t marginX, int32_t marginY, int32_t active, bool leftButtonDown) = 0;
};

}  // namespace s::gui::drawer
