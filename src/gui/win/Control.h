#pragma once
#include "gui/win/Component.h"

namespace s::gui::win {

// The portable part of every control (label, button, check box, combo box,
// slider, number field, progress bar, image): the natural sizes it measures
// from its content and the recorded limits. A concrete control adds its
// pool, class name, native kind and behaviour.
//
// The limit setters only record; the container's next pass uses them. A
// fixed size wins over a percentage, so setting a percentage leaves a fixed
// size in place.
class Control : public Component<IComponent> {
public:
    void setNaturalMinSize(int32_t w, int32_t h);
    void setNaturalPreferredSize(int32_t w, int32_t h);
    void setWidthPercent(int32_t percent) { m_widthPercent = percent; }
    void setHeightPercent(int32_t percent) { m_heightPercent = percent; }
    void setFixedWidth(int32_t width) { m_fixedWidth = width; }
    void setFixedHeight(int32_t height) { m_fixedHeight = height; }

protected:
    Control() = default;
    NativeKind nativeKind() const override { return NativeKind::kCustom; }
};

}  // namespace s::gui::win
