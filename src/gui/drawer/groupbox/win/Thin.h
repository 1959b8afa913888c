#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "gui/drawer/IGroupBox.h"
#include "gui/win/FontSetting.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::groupbox::win {

// A square one-pixel frame in the skin's colour with the title cut into its
// top; the title in the colour of the first font setting (the second is for
// a disabled box).
class Thin : public s::gui::drawer::IGroupBox, public s::thread::PooledBy<Thin> {
public:
    static constexpr int32_t kFontSettingCount = 2;

    Thin() { reset(); }

    const char16_t* className() const override { return u"s_gui_drawer_groupbox_win_Thin"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, std::u16string_view title,
               const s::gui::win::FontSetting& font, int32_t titleWidth, int32_t titleHeight) override;

    uint32_t colour() const { return m_colour; }
    void setColour(uint32_t colour) { m_colour = colour; }
    // An index out of range gives the first setting.
    s::gui::win::FontSetting& fontSetting(int32_t index);

private:
    uint32_t m_colour = 0;
    std::array<s::gui::win::FontSetting, kFontSettingCount> m_fontSettings;
};

}  // namespace s::gui::drawer::groupbox::win
