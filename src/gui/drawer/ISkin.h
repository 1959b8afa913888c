#pragma once
#include <string>
#include <string_view>

#include "base/IObject.h"

namespace s::gui::drawer {

class IWindow;
class IButton;
class IText;
class IScrollBar;
class ICheckBox;
class IRadioButton;
class ISlider;
class ICounter;
class IListHeader;
class IListBox;
class IStatusBar;
class IMenu;
class ICombo;
class IGroupBox;
class ITabBox;

// One look for every kind of control: a drawer per kind, all filled from
// one colour scheme. The skin owns its drawers; a setter hands a drawer
// over and gives the one it replaces back to its pool.
class ISkin : public s::base::IObject {
public:
    virtual const std::u16string& name() const = 0;
    virtual void setName(std::u16string_view name) = 0;
    virtual IWindow* window() const = 0;
    virtual void setWindow(IWindow* drawer) = 0;
    virtual IButton* button() const = 0;
    virtual void setButton(IButton* drawer) = 0;
    virtual IText* text() const = 0;
    virtual void setText(IText* drawer) = 0;
    virtual IScrollBar* scrollBar() const = 0;
    virtual void setScrollBar(IScrollBar* drawer) = 0;
    virtual ICheckBox* checkBox() const = 0;
    virtual void setCheckBox(ICheckBox* drawer) = 0;
    virtual IRadioButton* radioButton() const = 0;
    virtual void setRadioButton(IRadioButton* drawer) = 0;
    virtual ISlider* slider() const = 0;
    virtual void setSlider(ISlider* drawer) = 0;
    virtual ICounter* counter() const = 0;
    virtual void setCounter(ICounter* drawer) = 0;
    virtual IListHeader* listHeader() const = 0;
    virtual void setListHeader(IListHeader* drawer) = 0;
    virtual IListBox* listBox() const = 0;
    virtual void setListBox(IListBox* drawer) = 0;
    virtual IStatusBar* statusBar() const = 0;
    virtual void setStatusBar(IStatusBar* drawer) = 0;
    virtual IMenu* menu() const = 0;
    virtual void setMenu(IMenu* drawer) = 0;
    virtual ICombo* combo() const = 0;
    virtual void setCombo(ICombo* drawer) = 0;
    virtual IGroupBox* groupBox() const = 0;
    virtual void setGroupBox(IGroupBox* drawer) = 0;
    virtual ITabBox* tabBox() const = 0;
    virtual void setTabBox(ITabBox* drawer) = 0;
};

}  // namespace s::gui::drawer
