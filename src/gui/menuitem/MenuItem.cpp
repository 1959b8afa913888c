#include "gui/menuitem/MenuItem.h"

#include "lang/Localizer.h"

namespace s::gui::menuitem {

void MenuItem::reset()
{
    m_localizer = nullptr;
    m_text.clear();
    m_textId = kFixedText;
    m_command = 0;
    m_ticked = false;
    m_radioSelected = false;
    m_isSeparator = false;
}

MenuItem* MenuItem::fromTextId(int32_t textId, s::lang::Localizer* localizer, int32_t command, bool ticked)
{
    MenuItem* item = take();
    item->m_textId = textId;
    item->m_localizer = localizer;
    item->m_command = command;
    item->m_ticked = ticked;
    item->updateLanguage();
    return item;
}

MenuItem* MenuItem::fromText(std::u16string_view text, int32_t command)
{
    MenuItem* item = take();
    item->m_text.assign(text.data(), text.size());
    item->m_command = command;
    return item;
}

MenuItem* MenuItem::separator()
{
    MenuItem* item = take();
    item->m_isSeparator = true;
    return item;
}

void MenuItem::updateLanguage()
{
    if (m_textId == kFixedText || !m_localizer)
        return;
    m_text = m_localizer->text(m_textId);
}

}  // namespace s::gui::menuitem
