#pragma once
#include <cstdint>
#include <string_view>

#include "gui/drawer/ICombo.h"
#include "gui/drawer/SchemeColours.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::combo::win {

// A framed face in the second colour, the item text in the first, and the
// drop-down arrow in the extra colour in a strip at the right.
class Thin : public s::gui::drawer::ICombo,
             public s::gui::drawer::SchemeColours,
             public s::thread::PooledBy<Thin> {
public:
    static constexpr int32_t kArrowStrip = 10;

    Thin() { reset(); }

    const char16_t* className() const override { return u"s_gui_drawer_combo_win_Thin"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t state,
               std::u16string_view text, const s::gui::win::FontSetting* font, bool enabled) override;
};

}  // namespace s::gui::drawer::combo::win
