#pragma once
#include <cstdint>
#include <string_view>

namespace s::base {
class IObject;
}
namespace s::gui::events {
class IEventListener;
}
namespace s::gui::win {
class Box;
class GroupBox;
class NumberField;
class Slider;
}  // namespace s::gui::win
namespace s::lang {
class Localizer;
}
namespace s::map {
class IMappedData;
}

namespace s::image::gui::dialogs::pellory {

// The strength of one operation: a slider and a number field that follow
// each other. The slider holds the value; the field only feeds it, and keeps
// the text as the user typed it. Both belong to the window's tree.
class StrengthControls {
public:
    static constexpr int32_t kTextStrength = 1105000;
    static constexpr int32_t kDefaultStrength = 80;

    // The page of the options panel: the field, " % " and the slider in a
    // row, inside the "Strength" group, inside a column with margins of 10.
    s::gui::win::Box* buildPage(s::lang::Localizer* localizer);
    // Sets both controls from the stored "Strength" below `key` (clamped).
    void load(s::map::IMappedData& store, std::u16string_view key);
    void store(s::map::IMappedData& store, std::u16string_view key) const;
    void listen(s::gui::events::IEventListener* listener);
    // Keeps the pair in step after an event of `source`; nothing when the
    // source is neither control.
    void follow(const s::base::IObject* source);
    void forget();
    // Titles the group in the localizer's current language.
    void retitle(s::lang::Localizer* localizer);

    int32_t value() const;
    s::gui::win::Slider* slider() const { return m_slider; }
    s::gui::win::NumberField* field() const { return m_field; }

    // The value a field's text stands for: 1 to 3 decimal digits making at
    // most 100; -1 for any other text.
    static int32_t parseStrength(std::u16string_view text);

private:
    void followSlider();
    void followField();

    s::gui::win::Slider* m_slider = nullptr;     // owned by the window's tree
    s::gui::win::NumberField* m_field = nullptr; // owned by the window's tree
    s::gui::win::GroupBox* m_group = nullptr;    // owned by the window's tree
    // Set while the field moves the slider, so that the slider's echo does
    // not rewrite what the user typed.
    bool m_guard = false;
};

}  // namespace s::image::gui::dialogs::pellory
