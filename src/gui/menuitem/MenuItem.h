#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "base/IObject.h"
#include "thread/PooledBy.h"

namespace s::lang {
class Localizer;
}

namespace s::gui::menuitem {

// One line of a pop-up menu (or a plain entry of a menu bar): a text that
// either follows the language (a text id and its localizer) or stays as
// given, the command number it sends when chosen, and the marks it shows.
// A separator has no text and sends nothing.
class MenuItem : public s::base::IObject, public s::thread::PooledBy<MenuItem> {
public:
    // The text id of an item whose text does not follow the language.
    static constexpr int32_t kFixedText = -1;

    MenuItem() { reset(); }

    const char16_t* className() const override { return u"s_gui_menuitem_MenuItem"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    // A text of the language pack (the localizer is not owned).
    static MenuItem* fromTextId(int32_t textId, s::lang::Localizer* localizer, int32_t command, bool ticked);
    // A text that stays whatever the language, such as a language's own name.
    static MenuItem* fromText(std::u16string_view text, int32_t command);
    static MenuItem* separator();

    // Takes the text of the text id again, in the current language.
    void updateLanguage();

    const std::u16string& text() const { return m_text; }
    int32_t textId() const { return m_textId; }
    int32_t command() const { return m_command; }
    bool isSeparator() const { return m_isSeparator; }
    bool isTicked() const { return m_ticked; }
    void setTicked(bool ticked) { m_ticked = ticked; }
    bool isRadioSelected() const { return m_radioSelected; }
    void setRadioSelected(bool selected) { m_radioSelected = selected; }

private:
    s::lang::Localizer* m_localizer = nullptr;  // not owned
    std::u16string m_text;
    int32_t m_textId = kFixedText;
    int32_t m_command = 0;
    bool m_ticked = false;
    bool m_radioSelected = false;
    bool m_isSeparator = false;
};

}  // namespace s::gui::menuitem
