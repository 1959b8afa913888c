#pragma once
#include <array>
#include <cstdint>

#include "gui/drawer/ITabBox.h"
#include "gui/win/FontSetting.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::tabbox::win {

// A line under the row of tabs and a frame around the page, in the skin's
// colour; three font settings for the tabs' texts (normal, chosen, disabled).
class Thin : public s::gui::drawer::ITabBox, public s::thread::PooledBy<Thin> {
public:
    static constexpr int32_t kFontSettingCount = 3;

    Thin() { reset(); }

    const char16_t* className() const override { return u"s_gui_drawer_tabbox_win_Thin"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
               int32_t tabRowHeight) override;

    uint32_t colour() const { return m_colour; }
    void setColour(uint32_t colour) { m_colour = colour; }
    // An index out of range gives the first setting.
    s::gui::win::FontSetting& fontSetting(int32_t index);

private:
    uint32_t m_colour = 0;
    std::array<s::gui::win::FontSetting, kFontSettingCount> m_fontSettings;
};

}  // namespace s::gui::drawer::tabbox::win
