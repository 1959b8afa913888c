#pragma once
#include <cstdint>
#include <string_view>

#include "gui/drawer/IListHeader.h"
#include "gui/win/FontSetting.h"
#include "gui/drawer/SchemeColours.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::listheader::win {

// A head filled with the second colour, lined in the first at its right and
// bottom, its text in the colour of the drawer's font setting.
class Thin : public s::gui::drawer::IListHeader,
             public s::gui::drawer::SchemeColours,
             public s::thread::PooledBy<Thin> {
public:
    Thin() { reset(); }

    const char16_t* className() const override { return u"s_gui_drawer_listheader_win_Thin"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, std::u16string_view text,
               const s::gui::win::FontSetting* font) override;

    s::gui::win::FontSetting& fontSetting() { return m_fontSetting; }

private:
    s::gui::win::FontSetting m_fontSetting;
};

}  // namespace s::gui::drawer::listheader::win
