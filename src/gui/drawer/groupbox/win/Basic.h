#pragma once
#include <cstdint>
#include <string_view>

#include "gui/drawer/IGroupBox.h"
#include "gui/win/FontSetting.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::groupbox::win {

// The group box of unskinned windows: a light line with rounded corners
// and the title cut into its top, two pixels clear on each side.
class Basic : public s::gui::drawer::IGroupBox, public s::thread::PooledBy<Basic> {
public:
    Basic() { reset(); }

    const char16_t* className() const override { return u"s_gui_drawer_groupbox_win_Basic"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    // The title is drawn with `font` as given; callers start from titleFont().
    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, std::u16string_view title,
               const s::gui::win::FontSetting& font, int32_t titleWidth, int32_t titleHeight) override;

    uint32_t lineColour() const { return m_lineColour; }
    void setLineColour(uint32_t colour) { m_lineColour = colour; }
    s::gui::win::FontSetting& titleFont() { return m_titleFont; }
    const s::gui::win::FontSetting& titleFont() const { return m_titleFont; }

private:
    uint32_t m_lineColour = 0;
    s::gui::win::FontSetting m_titleFont;
};

}  // namespace s::gui::drawer::groupbox::win
