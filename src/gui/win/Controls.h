#pragma once
// The concrete controls of the toolkit. Each is pooled (take()/release as
// every toolkit object), reports to its listeners with itself as the source
// and the type number given beside it (gui/events/EventTypes.h), on the
// window's user-interface thread. Setting state from code does not notify:
// only the user's changes (onNativeChange) do, except ComboBox::select with
// notify = true, which a dialog uses to treat a choice made in code as the
// user's.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gui/events/IEventListener.h"
#include "gui/win/Control.h"
#include "gui/win/FontSetting.h"
#include "thread/PooledBy.h"

namespace s::gui::combobox {

// One item of a combo box: its text id (0 for a fixed text), its text and
// the localizer that gives the text again after a change of language.
struct ComboBoxItem {
    int32_t textId = 0;
    std::u16string text;
    s::lang::Localizer* localizer = nullptr;  // not owned
};

}  // namespace s::gui::combobox

namespace s::gui::drawer {
class IButton;
class Skinner;
}  // namespace s::gui::drawer

namespace s::gui::win {

// A static text. With clicks enabled it reports kLabelClicked (1) when the
// user clicks it (SS_NOTIFY, STN_CLICKED).
class Label : public Control, public s::thread::PooledBy<Label> {
public:
    Label() = default;
    const char16_t* className() const override { return u"s_gui_win_Label"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;
    void setClickable(bool clickable) { m_clickable = clickable; }
    bool isClickable() const { return m_clickable; }
    // Its own type instead of the dialog font: size in points (0 keeps the
    // dialog font's), bold, underlined (a link).
    void setFontStyle(int32_t points, bool bold, bool underline);
    int32_t fontPoints() const { return m_fontPoints; }
    bool isBold() const { return m_bold; }
    bool isUnderlined() const { return m_underline; }
    void onNativeChange() override;

protected:
    NativeKind nativeKind() const override { return NativeKind::kLabel; }
    void measure() override;
    void pushState() override;

private:
    bool hasOwnFont() const { return m_fontPoints != 0 || m_bold || m_underline; }

    bool m_clickable = false;
    int32_t m_fontPoints = 0;
    bool m_bold = false;
    bool m_underline = false;
};

// A push button: reports kButtonClicked (0) on a click. In a window that
// has a skinner it is painted by the current skin's button drawer (and
// takes the new one when the skin changes); otherwise the system paints it.
class Button : public Control, public s::thread::PooledBy<Button> {
public:
    Button() = default;
    ~Button() override;
    const char16_t* className() const override { return u"s_gui_win_Button"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;
    void onNativeChange() override;

    // The skin's drawer (not owned), or null for a system-painted button.
    s::gui::drawer::IButton* drawer() const { return m_drawer; }
    // The caption's font settings the drawer filled in: enabled, disabled.
    const FontSetting& normalFont() const { return m_normalFont; }
    const FontSetting& disabledFont() const { return m_disabledFont; }
    // The skinner of the window the button is placed in, or null.
    s::gui::drawer::Skinner* windowSkinner() const;

protected:
    NativeKind nativeKind() const override { return NativeKind::kButton; }
    void measure() override;

private:
    // Takes the drawer of the current skin of the window's skinner.
    class SkinFollower : public events::IEventListener {
    public:
        explicit SkinFollower(Button& button) : m_button(button) {}
        void onEvent(s::base::IObject*, int32_t) override { m_button.takeSkinDrawer(); }

    private:
        Button& m_button;
    };

    void onAttached() override;
    void takeSkinDrawer();
    void leaveSkinner();

    s::gui::drawer::Skinner* m_skinner = nullptr;  // not owned
    s::gui::drawer::IButton* m_drawer = nullptr;   // not owned: the skin's
    FontSetting m_normalFont;
    FontSetting m_disabledFont;
    FontSetting m_checkedFont;
    SkinFollower m_skinFollower{*this};
};

// A check box: a click toggles it and reports kCheckBoxClicked (0).
class CheckBox : public Control, public s::thread::PooledBy<CheckBox> {
public:
    CheckBox() = default;
    const char16_t* className() const override { return u"s_gui_win_CheckBox"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;
    bool isChecked() const { return m_checked; }
    void setChecked(bool checked);
    void onNativeChange() override;

protected:
    NativeKind nativeKind() const override { return NativeKind::kCheckBox; }
    void measure() override;
    void pushState() override;

private:
    bool m_checked = false;
};

// A drop-down list (CBS_DROPDOWNLIST): reports kComboSelectionChanged (0)
// when the user picks another item.
class ComboBox : public Control, public s::thread::PooledBy<ComboBox> {
public:
    ComboBox() = default;
    const char16_t* className() const override { return u"s_gui_win_ComboBox"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void addItem(const s::gui::combobox::ComboBoxItem& item);
    int32_t itemCount() const { return static_cast<int32_t>(m_items.size()); }
    const std::u16string& itemText(int32_t index) const { return m_items.at(static_cast<size_t>(index)).text; }
    // -1 when nothing is selected.
    int32_t selectedIndex() const { return m_selected; }
    // Selects an item (out of range: the first); with notify the listeners
    // hear of it as of a user's choice, unless it was selected already.
    void select(int32_t index, bool notify);
    // Item texts follow the language; the selection stays.
    void updateLanguage() override;
    void onNativeChange() override;

protected:
    NativeKind nativeKind() const override { return NativeKind::kComboBox; }
    void measure() override;
    void pushState() override;

private:
    std::vector<s::gui::combobox::ComboBoxItem> m_items;
    int32_t m_selected = -1;
};

// A horizontal trackbar: reports kSliderMoved (0) whenever the user moves
// it (every WM_HSCROLL position).
class Slider : public Control, public s::thread::PooledBy<Slider> {
public:
    Slider() = default;
    const char16_t* className() const override { return u"s_gui_win_Slider"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void setRange(int32_t minimum, int32_t maximum);
    int32_t minimum() const { return m_minimum; }
    int32_t maximum() const { return m_maximum; }
    // Clamped into the range.
    void setValue(int32_t value);
    int32_t value() const { return m_value; }
    void setTickFrequency(int32_t frequency) { m_tickFrequency = frequency; pushState(); }
    void setTicksShown(bool shown) { m_ticksShown = shown; pushState(); }
    void setLineStep(int32_t step) { m_lineStep = step; pushState(); }
    void setPageStep(int32_t step) { m_pageStep = step; pushState(); }
    int32_t tickFrequency() const { return m_tickFrequency; }
    bool ticksShown() const { return m_ticksShown; }
    int32_t lineStep() const { return m_lineStep; }
    int32_t pageStep() const { return m_pageStep; }
    void onNativeChange() override;

protected:
    NativeKind nativeKind() const override { return NativeKind::kSlider; }
    void measure() override;
    void pushState() override;

private:
    int32_t m_minimum = 0;
    int32_t m_maximum = 100;
    int32_t m_value = 0;
    int32_t m_tickFrequency = 1;
    bool m_ticksShown = true;
    int32_t m_lineStep = 1;
    int32_t m_pageStep = 10;
};

// A one-line edit field for a number (ES_NUMBER is not set: any text can be
// typed and the dialog decides). Reports kNumberFieldChanged (0) on every
// change the user makes (EN_CHANGE); text() is what it shows now.
class NumberField : public Control, public s::thread::PooledBy<NumberField> {
public:
    NumberField() = default;
    const char16_t* className() const override { return u"s_gui_win_NumberField"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;
    void onNativeChange() override;

protected:
    NativeKind nativeKind() const override { return NativeKind::kNumberField; }
    void measure() override;
};

// A progress bar (PBM_SETRANGE32 / PBM_SETPOS).
class ProgressBar : public Control, public s::thread::PooledBy<ProgressBar> {
public:
    ProgressBar() = default;
    const char16_t* className() const override { return u"s_gui_win_ProgressBar"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;
    void setRange(int32_t range);
    void setProgress(int32_t position);
    int32_t range() const { return m_range; }
    int32_t progress() const { return m_position; }

protected:
    NativeKind nativeKind() const override { return NativeKind::kProgressBar; }
    void measure() override;
    void pushState() override;

private:
    int32_t m_range = 100;
    int32_t m_position = 0;
};

}  // namespace s::gui::win
