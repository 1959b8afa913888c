#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "gui/drawer/IText.h"
#include "gui/win/FontSetting.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::text::win {

// Text drawn transparently, with the font's effect (halo, shadow, engraving)
// painted underneath first.
class Basic : public s::gui::drawer::IText, public s::thread::PooledBy<Basic> {
public:
    // Effect numbers of a font setting.
    static constexpr int32_t kEffectHalo = 1;
    static constexpr int32_t kEffectShadow = 2;
    static constexpr int32_t kEffectSunkenDark = 3;
    static constexpr int32_t kEffectRaisedLight = 4;
    static constexpr int32_t kEffectRaisedDark = 5;
    static constexpr int32_t kEffectSunkenLight = 6;
    static constexpr int32_t kEffectThirdColourHalo = 7;

    Basic() { reset(); }

    const char16_t* className() const override { return u"s_gui_drawer_text_win_Basic"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, std::u16string_view text,
               const s::gui::win::FontSetting& font) override;
    void applyTo(s::gui::win::FontSetting* first, s::gui::win::FontSetting* second = nullptr,
                 s::gui::win::FontSetting* third = nullptr, s::gui::win::FontSetting* fourth = nullptr,
                 s::gui::win::FontSetting* fifth = nullptr) const override;
    s::gui::win::FontSetting& fontSetting(int32_t index) override;
    const s::gui::win::FontSetting& fontSetting(int32_t index) const;
    bool isCentred() const { return m_centred; }
    void setCentred(bool centred) override { m_centred = centred; }

    // The layout asks for a font: see the head of Basic.cpp.
    uint32_t layoutFlags(const s::gui::win::FontSetting& font) const;

private:
    std::array<s::gui::win::FontSetting, kFontSettingCount> m_fontSettings;
    bool m_centred = false;
};

}  // namespace s::gui::drawer::text::win
