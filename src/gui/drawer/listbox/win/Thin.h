#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "gui/drawer/IListBox.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::listbox::win {

// A list in five colours: background, text, selection, selected text, and
// the shade of every second row.
class Thin : public s::gui::drawer::IListBox, public s::thread::PooledBy<Thin> {
public:
    enum Role : int32_t { kBackground = 0, kText, kSelection, kSelectedText, kStripe, kRoleCount };

    Thin() { reset(); }

    const char16_t* className() const override { return u"s_gui_drawer_listbox_win_Thin"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void paintItem(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t index,
                   std::u16string_view text, const s::gui::win::FontSetting* font, bool selected) override;

    // An unknown role reads as the background and is not stored.
    uint32_t colourOf(int32_t role) const;
    void setColours(uint32_t background, uint32_t text, uint32_t selection, uint32_t selectedText, uint32_t stripe)
    {
        m_colours = {background, text, selection, selectedText, stripe};
    }

private:
    std::array<uint32_t, kRoleCount> m_colours{};
};

}  // namespace s::gui::drawer::listbox::win
