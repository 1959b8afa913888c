#pragma once
#include <cstdint>
#include <string_view>

#include "base/IObject.h"

namespace s::gui::win {
class FontSetting;
}

namespace s::gui::drawer {

class ICanvas;

// Paints a text in a rectangle and carries the font settings a skin gives
// the texts of a control: a main one and four more.
class IText : public s::base::IObject {
public:
    static constexpr int32_t kFontSettingCount = 5;

    virtual void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
                       std::u16string_view text, const s::gui::win::FontSetting& font) = 0;
    // Copies the attributes set on the drawer's own settings into the given
    // ones: main to `first`, second to `second`, and so on; null ones are skipped.
    virtual void applyTo(s::gui::win::FontSetting* first, s::gui::win::FontSetting* second = nullptr,
                         s::gui::win::FontSetting* third = nullptr, s::gui::win::FontSetting* fourth = nullptr,
                         s::gui::win::FontSetting* fifth = nullptr) const = 0;
    // 0 is the main setting; an index out of range gives the main one.
    virtual s::gui::win::FontSetting& fontSetting(int32_t index) = 0;
    virtual void setCentred(bool centred) = 0;
};

}  // namespace s::gui::drawer
