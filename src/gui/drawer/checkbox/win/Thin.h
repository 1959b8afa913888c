#pragma once
#include <cstdint>
#include <string_view>

#include "gui/drawer/ICheckBox.h"
#include "gui/drawer/SchemeColours.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::checkbox::win {

// A square box with the tick glyph: the mark in the first colour, the
// text in the second, both in the extra colour when disabled.
class Thin : public s::gui::drawer::ICheckBox,
             public s::gui::drawer::SchemeColours,
             public s::thread::PooledBy<Thin> {
public:
    static constexpr int32_t kMarkSize = 13;

    Thin() { reset(); }

    const char16_t* className() const override { return u"s_gui_drawer_checkbox_win_Thin"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, bool checked, bool enabled,
               std::u16string_view text, const s::gui::win::FontSetting* font) override;
};

}  // namespace s::gui::drawer::checkbox::win
