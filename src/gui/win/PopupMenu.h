#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/IObject.h"
#include "lang/ILanguageListener.h"
#include "thread/PooledBy.h"

namespace s::gui::menuitem {
class MenuItem;
}
namespace s::lang {
class Localizer;
}

namespace s::gui::win {

// A menu that drops down from a menu bar entry: its title on the bar, its
// items in order and any nested menus. It holds only what the menu shows;
// the native pop-up is made from it each time it opens, so ticks, the radio
// bullet and texts changed while it was closed always show as they are.
//
// Given a localizer, the menu follows the language: its title and every item
// with a text id take the new language's text, keeping their marks.
class PopupMenu : public s::base::IObject, public s::lang::ILanguageListener, public s::thread::PooledBy<PopupMenu> {
public:
    using MenuItem = s::gui::menuitem::MenuItem;

    PopupMenu() = default;
    ~PopupMenu() override { reset(); }

    const char16_t* className() const override { return u"s_gui_win_PopupMenu"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    // A menu titled with a text of the language pack, following its language.
    static PopupMenu* fromTextId(int32_t textId, s::lang::Localizer* localizer);

    // Listens to the localizer (not owned) from now on; null stops listening.
    void setLocalizer(s::lang::Localizer* localizer);
    // A title that stays whatever the language.
    void setText(std::u16string_view text);
    const std::u16string& text() const { return m_text; }
    int32_t textId() const { return m_textId; }

    // The menu owns what is appended and gives it back to its pool.
    void append(MenuItem* item);
    void appendSubmenu(PopupMenu* submenu);
    int32_t itemCount() const { return static_cast<int32_t>(m_items.size()); }
    MenuItem* itemAt(int32_t index) const;
    int32_t submenuCount() const { return static_cast<int32_t>(m_submenus.size()); }
    PopupMenu* submenuAt(int32_t index) const;

    // The first item sending `command`, here or in a nested menu; separators
    // send nothing.
    MenuItem* findCommand(int32_t command) const;
    bool isChecked(int32_t command) const;
    // False when no item sends the command.
    bool setChecked(int32_t command, bool checked);
    // Moves the radio bullet to the item at `position` (counting separators);
    // a position without an item clears it everywhere.
    void setRadioAt(int32_t position);
    // The position of the bullet, -1 when none is set.
    int32_t radioPosition() const { return m_radioPosition; }

    // The title and item texts again, in the current language.
    void updateLanguage();
    void languageChanged(s::lang::Localizer*) override { updateLanguage(); }

private:
    s::lang::Localizer* m_localizer = nullptr;  // not owned; listened to while set
    std::u16string m_text;
    int32_t m_textId = -1;
    std::vector<MenuItem*> m_items;      // owned through their pool
    std::vector<PopupMenu*> m_submenus;  // owned through their pool
    int32_t m_radioPosition = -1;
};

}  // namespace s::gui::win
