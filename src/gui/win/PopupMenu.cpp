#include "gui/win/PopupMenu.h"

#include "gui/menuitem/MenuItem.h"
#include "lang/Localizer.h"

namespace s::gui::win {

using s::gui::menuitem::MenuItem;

void PopupMenu::reset()
{
    setLocalizer(nullptr);
    for (MenuItem* item : m_items)
        item->release();
    m_items.clear();
    for (PopupMenu* submenu : m_submenus)
        submenu->release();
    m_submenus.clear();
    m_text.clear();
    m_textId = -1;
    m_radioPosition = -1;
}

PopupMenu* PopupMenu::fromTextId(int32_t textId, s::lang::Localizer* localizer)
{
    PopupMenu* menu = take();
    menu->m_textId = textId;
    menu->setLocalizer(localizer);
    menu->updateLanguage();
    return menu;
}

void PopupMenu::setLocalizer(s::lang::Localizer* localizer)
{
    if (localizer == m_localizer)
        return;
    if (m_localizer)
        m_localizer->removeListener(this);
    m_localizer = localizer;
    if (m_localizer)
        m_localizer->addListener(this);
}

void PopupMenu::setText(std::u16string_view text)
{
    m_textId = -1;
    m_text.assign(text.data(), text.size());
}

void PopupMenu::append(MenuItem* item)
{
    if (item)
        m_items.push_back(item);
}

void PopupMenu::appendSubmenu(PopupMenu* submenu)
{
    if (submenu && submenu != this)
        m_submenus.push_back(submenu);
}

MenuItem* PopupMenu::itemAt(int32_t index) const
{
    if (index < 0 || index >= itemCount())
        return nullptr;
    return m_items[static_cast<size_t>(index)];
}

PopupMenu* PopupMenu::submenuAt(int32_t index) const
{
    if (index < 0 || index >= submenuCount())
        return nullptr;
    return m_submenus[static_cast<size_t>(index)];
}

MenuItem* PopupMenu::findCommand(int32_t command) const
{
    for (MenuItem* item : m_items) {
        if (!item->isSeparator() && item->command() == command)
            return item;
    }
    for (PopupMenu* submenu : m_submenus) {
        if (MenuItem* item = submenu->findCommand(command))
            return item;
    }
    return nullptr;
}

bool PopupMenu::isChecked(int32_t command) const
{
    const MenuItem* item = findCommand(command);
    return item && item->isTicked();
}

bool PopupMenu::setChecked(int32_t command, bool checked)
{
    MenuItem* item = findCommand(command);
    if (!item)
        return false;
    item->setTicked(checked);
    return true;
}

void PopupMenu::setRadioAt(int32_t position)
{
    m_radioPosition = (position >= 0 && position < itemCount()) ? position : -1;
    for (int32_t i = 0; i < itemCount(); ++i)
        m_items[static_cast<size_t>(i)]->setRadioSelected(i == m_radioPosition);
}

void PopupMenu::updateLanguage()
{
    if (m_textId >= 0 && m_localizer)
        m_text = m_localizer->text(m_textId);
    for (MenuItem* item : m_items)
        item->updateLanguage();
    for (PopupMenu* submenu : m_submenus)
        submenu->updateLanguage();
}

}  // namespace s::gui::win
