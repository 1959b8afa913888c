#pragma once
#include <string>
#include <string_view>

#include "gui/drawer/ISkin.h"

namespace s::gui::drawer::skin {

// The storage shared by the skins: the name and one owned drawer per kind.
// The families differ only in how their builder fills it.
class DrawerSet : public s::gui::drawer::ISkin {
public:
    DrawerSet() = default;
    ~DrawerSet() override { clear(); }
    DrawerSet(const DrawerSet&) = delete;
    DrawerSet& operator=(const DrawerSet&) = delete;

    const std::u16string& name() const override { return m_name; }
    void setName(std::u16string_view name) override { m_name = name; }
    IWindow* window() const override { return m_window; }
    void setWindow(IWindow* drawer) override;
    IButton* button() const override { return m_button; }
    void setButton(IButton* drawer) override;
    IText* text() const override { return m_text; }
    void setText(IText* drawer) override;
    IScrollBar* scrollBar() const override { return m_scrollBar; }
    void setScrollBar(IScrollBar* drawer) override;
    ICheckBox* checkBox() const override { return m_checkBox; }
    void setCheckBox(ICheckBox* drawer) override;
    IRadioButton* radioButton() const override { return m_radioButton; }
    void setRadioButton(IRadioButton* drawer) override;
    ISlider* slider() const override { return m_slider; }
    void setSlider(ISlider* drawer) override;
    ICounter* counter() const override { return m_counter; }
    void setCounter(ICounter* drawer) override;
    IListHeader* listHeader() const override { return m_listHeader; }
    void setListHeader(IListHeader* drawer) override;
    IListBox* listBox() const override { return m_listBox; }
    void setListBox(IListBox* drawer) override;
    IStatusBar* statusBar() const override { return m_statusBar; }
    void setStatusBar(IStatusBar* drawer) override;
    IMenu* menu() const override { return m_menu; }
    void setMenu(IMenu* drawer) override;
    ICombo* combo() const override { return m_combo; }
    void setCombo(ICombo* drawer) override;
    IGroupBox* groupBox() const override { return m_groupBox; }
    void setGroupBox(IGroupBox* drawer) override;
    ITabBox* tabBox() const override { return m_tabBox; }
    void setTabBox(ITabBox* drawer) override;

protected:
    // Every drawer back to its pool; the name emptied.
    void clear();

private:
    std::u16string m_name;
    IWindow* m_window = nullptr;  // owned
    IButton* m_button = nullptr;  // owned
    IText* m_text = nullptr;  // owned
    IScrollBar* m_scrollBar = nullptr;  // owned
    ICheckBox* m_checkBox = nullptr;  // owned
    IRadioButton* m_radioButton = nullptr;  // owned
    ISlider* m_slider = nullptr;  // owned
    ICounter* m_counter = nullptr;  // owned
    IListHeader* m_listHeader = nullptr;  // owned
    IListBox* m_listBox = nullptr;  // owned
    IStatusBar* m_statusBar = nullptr;  // owned
    IMenu* m_menu = nullptr;  // owned
    ICombo* m_combo = nullptr;  // owned
    IGroupBox* m_groupBox = nullptr;  // owned
    ITabBox* m_tabBox = nullptr;  // owned
};

}  // namespace s::gui::drawer::skin
