#pragma once
#include <cstdint>
#include <string_view>

#include "base/IObject.h"

namespace s::gui::win {
class FontSetting;
}

namespace s::gui::drawer {

class IBorder;
class ICanvas;
class IText;

// Paints push buttons and toggle buttons: border, face, and a caption that
// is either a text or a glyph name.
class IButton : public s::base::IObject {
public:
    // Button states as the control reports them.
    static constexpr int32_t kStateNormal = 0;
    static constexpr int32_t kStateHot = 1;      // the mouse is over it
    static constexpr int32_t kStatePressed = 2;  // pressed while the pointer stays inside

    virtual void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t state,
                       std::u16string_view caption, bool framed, const s::gui::win::FontSetting* font, bool enabled,
                       bool checked, bool outlined) = 0;
    // True when the caption named a glyph and it was drawn.
    virtual bool drawGlyph(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
                           std::u16string_view caption, uint32_t red, uint32_t green, uint32_t blue) = 0;
    // The caption colours into a control's font settings (null ones skipped).
    virtual void applyTo(s::gui::win::FontSetting* normal, s::gui::win::FontSetting* disabled) const = 0;
    virtual void applyCheckedTo(s::gui::win::FontSetting* checked) const = 0;

    virtual void setPressShift(bool on) = 0;
    virtual void setStyle(int32_t cornerKind) = 0;
    virtual void setNormalColour(uint32_t colour) = 0;
    virtual void setDisabledColour(uint32_t colour) = 0;
    virtual void setCheckedColour(uint32_t colour) = 0;
    virtual void setFaceColour(uint32_t colour) = 0;
    // The setters below hand the drawer over: the button owns it afterwards
    // and gives back the one it had.
    virtual void setBorder(IBorder* border) = 0;
    virtual void setCaptionText(IText* text) = 0;
    virtual void setSecondText(IText* text) = 0;
};

}  // namespace s::gui::drawer
