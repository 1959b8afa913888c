#include "gui/drawer/skin/DrawerSet.h"

#include <utility>

#include "gui/drawer/IWindow.h"
#include "gui/drawer/IButton.h"
#include "gui/drawer/IText.h"
#include "gui/drawer/IScrollBar.h"
#include "gui/drawer/ICheckBox.h"
#include "gui/drawer/IRadioButton.h"
#include "gui/drawer/ISlider.h"
#include "gui/drawer/ICounter.h"
#include "gui/drawer/IListHeader.h"
#include "gui/drawer/IListBox.h"
#include "gui/drawer/IStatusBar.h"
#include "gui/drawer/IMenu.h"
#include "gui/drawer/ICombo.h"
#include "gui/drawer/IGroupBox.h"
#include "gui/drawer/ITabBox.h"
#include "thread/Pooled.h"

namespace s::gui::drawer::skin {

namespace {

template <class T>
void replaceOwned(T*& slot, T* replacement)
{
    if (slot != replacement)
        s::thread::releaseToPool(std::exchange(slot, replacement));
}

}  // namespace

void DrawerSet::clear()
{
    m_name.clear();
    setWindow(nullptr);
    setButton(nullptr);
    setText(nullptr);
    setScrollBar(nullptr);
    setCheckBox(nullptr);
    setRadioButton(nullptr);
    setSlider(nullptr);
    setCounter(nullptr);
    setListHeader(nullptr);
    setListBox(nullptr);
    setStatusBar(nullptr);
    setMenu(nullptr);
    setCombo(nullptr);
    setGroupBox(nullptr);
    setTabBox(nullptr);
}

void DrawerSet::setWindow(IWindow* drawer)
{
    replaceOwned(m_window, drawer);
}

void DrawerSet::setButton(IButton* drawer)
{
    replaceOwned(m_button, drawer);
}

void DrawerSet::setText(IText* drawer)
{
    replaceOwned(m_text, drawer);
}

void DrawerSet::setScrollBar(IScrollBar* drawer)
{
    replaceOwned(m_scrollBar, drawer);
}

void DrawerSet::setCheckBox(ICheckBox* drawer)
{
    replaceOwned(m_checkBox, drawer);
}

void DrawerSet::setRadioButton(IRadioButton* drawer)
{
    replaceOwned(m_radioButton, drawer);
}

void DrawerSet::setSlider(ISlider* drawer)
{
    replaceOwned(m_slider, drawer);
}

void DrawerSet::setCounter(ICounter* drawer)
{
    replaceOwned(m_counter, drawer);
}

void DrawerSet::setListHeader(IListHeader* drawer)
{
    replaceOwned(m_listHeader, drawer);
}

void DrawerSet::setListBox(IListBox* drawer)
{
    replaceOwned(m_listBox, drawer);
}

void DrawerSet::setStatusBar(IStatusBar* drawer)
{
    replaceOwned(m_statusBar, drawer);
}

void DrawerSet::setMenu(IMenu* drawer)
{
    replaceOwned(m_menu, drawer);
}

void DrawerSet::setCombo(ICombo* drawer)
{
    replaceOwned(m_combo, drawer);
}

void DrawerSet::setGroupBox(IGroupBox* drawer)
{
    replaceOwned(m_groupBox, drawer);
}

void DrawerSet::setTabBox(ITabBox* drawer)
{
    replaceOwned(m_tabBox, drawer);
}

}  // namespace s::gui::drawer::skin
