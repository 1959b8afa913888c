#pragma once
#include <cstdint>

namespace s::gui {

// What kind of native window a component asks its parent's native window to
// make for it. The adapter may back a kind by no window system object at all
// (a spacer only needs to remember its rectangle), as long as the view
// answers every call of INativeView.
enum class NativeKind : int32_t {
    kBox,          // plain child window that paints its background
    kGroupBox,     // button-class frame whose frame and title are drawn by the toolkit
    kStatusBar,
    kSpacer,
    kLabel,
    kButton,
    kCheckBox,
    kComboBox,
    kSlider,
    kNumberField,
    kProgressBar,
    kImage,
    kMenuBar,
    kCustom,       // a control that the adapter recognises by its owner's class
};

}  // namespace s::gui
