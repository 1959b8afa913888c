#pragma once
#include <cstdint>
#include <string_view>

#include "gui/drawer/IButton.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::button::win {

// A flat button: a shaded one-pixel border whose lighting follows the
// state, a face filled only when checked, and the caption in the middle.
class Thin : public s::gui::drawer::IButton, public s::thread::PooledBy<Thin> {
public:
    static constexpr uint32_t kResetGrey = 120;

    Thin();
    ~Thin() override;
    Thin(const Thin&) = delete;
    Thin& operator=(const Thin&) = delete;

    const char16_t* className() const override { return u"s_gui_drawer_button_win_Thin"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t state,
               std::u16string_view caption, bool framed, const s::gui::win::FontSetting* font, bool enabled,
               bool checked, bool outlined) override;
    bool drawGlyph(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
                   std::u16string_view caption, uint32_t red, uint32_t green, uint32_t blue) override;
    void applyTo(s::gui::win::FontSetting* normal, s::gui::win::FontSetting* disabled) const override;
    void applyCheckedTo(s::gui::win::FontSetting* checked) const override;

    bool pressShift() const { return m_pressShift; }
    void setPressShift(bool on) override { m_pressShift = on; }
    int32_t style() const { return m_style; }
    void setStyle(int32_t cornerKind) override { m_style = cornerKind; }
    uint32_t normalColour() const { return m_normalColour; }
    void setNormalColour(uint32_t colour) override { m_normalColour = colour; }
    uint32_t disabledColour() const { return m_disabledColour; }
    void setDisabledColour(uint32_t colour) override { m_disabledColour = colour; }
    uint32_t checkedColour() const { return m_checkedColour; }
    void setCheckedColour(uint32_t colour) override { m_checkedColour = colour; }
    uint32_t faceColour() const { return m_faceColour; }
    void setFaceColour(uint32_t colour) override { m_faceColour = colour; }
    IBorder* border() const { return m_border; }
    void setBorder(IBorder* border) override;
    IText* captionText() const { return m_captionText; }
    void setCaptionText(IText* text) override;
    IText* secondText() const { return m_secondText; }
    void setSecondText(IText* text) override;

private:
    void drawBorder(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t type,
                    uint32_t colour);
    void drawCaption(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
                     std::u16string_view caption, const s::gui::win::FontSetting* font, uint32_t glyphColour,
                     bool growText);

    bool m_pressShift = false;
    int32_t m_style = 1;
    uint32_t m_normalColour = 0;
    uint32_t m_disabledColour = 0;
    uint32_t m_checkedColour = 0;
    uint32_t m_faceColour = 0;
    IBorder* m_border = nullptr;     // owned
    IText* m_captionText = nullptr;  // owned
    IText* m_secondText = nullptr;   // owned
};

}  // namespace s::gui::drawer::button::win
