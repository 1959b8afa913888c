#pragma once
// The views of the system's own controls. Each makes its control class with
// the styles the portable control asks for and turns the control's
// notifications into one onNativeChange() of its owner.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gui/win/native/NativeView.h"

namespace s::gui::win::native {

// STATIC with SS_NOTIFY. A label that is not clickable (asked each time the
// mouse comes, as a dialog may make it clickable after it was made) stays
// transparent to the mouse, so a click or a drag reaches the window behind it.
class LabelView : public NativeView {
public:
    explicit LabelView(IComponent& owner) : NativeView(owner, NativeKind::kLabel) {}
    ~LabelView() override;
    bool create(HWND parent);
    void onCommand(WORD code) override;
    void setFontStyle(int32_t points, bool bold, bool underline) override;
    TextExtent measureText(std::u16string_view text) const override;

protected:
    bool takesParentBackground() const override { return true; }
    bool isTransparentToMouse() const override;

private:
    HFONT m_ownFont = nullptr;  // owned; null: the dialog font
};

// BS_PUSHBUTTON, or BS_OWNERDRAW in a skinned window: the skin's button
// drawer then paints it into an off-screen bitmap copied in one step.
class ButtonView : public NativeView {
public:
    explicit ButtonView(IComponent& owner) : NativeView(owner, NativeKind::kButton) {}
    bool create(HWND parent);
    void onCommand(WORD code) override;
    bool onDrawItem(const DRAWITEMSTRUCT& item) override;
    // Paints the skinned button as it looks in `state` (normal, hot,
    // pressed) onto `dc` at (0, 0); false for a system-painted button.
    bool paintSkinned(HDC dc, int32_t width, int32_t height, int32_t state) const;
};

// BS_AUTOCHECKBOX: the system toggles the box before it reports the click.
class CheckBoxView : public NativeView {
public:
    explicit CheckBoxView(IComponent& owner) : NativeView(owner, NativeKind::kCheckBox) {}
    bool create(HWND parent);
    void onCommand(WORD code) override;
    void setChecked(bool checked) override;
    bool isChecked() const override;

protected:
    bool takesParentBackground() const override { return true; }
};

// CBS_DROPDOWNLIST. A choice of the item already shown is no change.
class ComboBoxView : public NativeView {
public:
    explicit ComboBoxView(IComponent& owner) : NativeView(owner, NativeKind::kComboBox) {}
    bool create(HWND parent);
    void onCommand(WORD code) override;
    // The field shows the selected item; there is no text of its own.
    void setText(std::u16string_view) override {}
    // The height the layout gives is the closed field's; the list drops
    // below it, so the window is made that much taller.
    void resize(int32_t width, int32_t height) override;
    void setBounds(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void setItems(const std::vector<std::u16string>& items) override;
    void selectItem(int32_t index) override;
    int32_t selectedItem() const override;

private:
    int32_t m_lastSelection = -1;
};

// A horizontal trackbar. Only a position other than the last one set or
// reported is a change (the end of a drag repeats the position).
class SliderView : public NativeView {
public:
    explicit SliderView(IComponent& owner) : NativeView(owner, NativeKind::kSlider) {}
    bool create(HWND parent, bool ticksShown);
    void onScroll(WORD code) override;
    void setText(std::u16string_view) override {}
    void setRange(int32_t minimum, int32_t maximum) override;
    void setValue(int32_t value) override;
    int32_t value() const override;
    void setSliderSteps(int32_t tickFrequency, bool ticksShown, int32_t lineStep, int32_t pageStep) override;

protected:
    bool takesParentBackground() const override { return true; }

private:
    int32_t m_lastPosition = 0;
};

// A one-line EDIT. Text set from code is not the user's change, although
// the system reports it with the same EN_CHANGE.
class NumberFieldView : public NativeView {
public:
    explicit NumberFieldView(IComponent& owner) : NativeView(owner, NativeKind::kNumberField) {}
    bool create(HWND parent);
    void onCommand(WORD code) override;
    void setText(std::u16string_view text) override;

private:
    bool m_settingText = false;
};

class ProgressBarView : public NativeView {
public:
    explicit ProgressBarView(IComponent& owner) : NativeView(owner, NativeKind::kProgressBar) {}
    bool create(HWND parent);
    void setText(std::u16string_view) override {}
    void setRange(int32_t minimum, int32_t maximum) override;
    void setValue(int32_t value) override;
    int32_t value() const override;
};

}  // namespace s::gui::win::native
