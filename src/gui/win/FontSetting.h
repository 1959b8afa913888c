#pragma once
#include <cstdint>

namespace s::gui::win {

// How a control or a drawer writes its text: a font, three colours and the
// extras a text drawer reads. Each attribute remembers whether it was set,
// so a drawer can pass on only what its skin chose and leave the rest of a
// control's own setting alone.
class FontSetting {
public:
    // The effect numbers a text drawer knows (extra passes under the text).
    static constexpr int32_t kEffectNone = 0;
    static constexpr int32_t kEffectLastKnown = 7;

    // An opaque font handle (an HFONT on Windows), not owned; null = the target's own font.
    void* font() const { return m_font; }
    void setFont(void* font)
    {
        m_font = font;
        m_fontSet = true;
    }
    uint32_t textColour() const { return m_textColour; }
    void setTextColour(uint32_t colour)
    {
        m_textColour = colour;
        m_textColourSet = true;
    }
    uint32_t secondColour() const { return m_secondColour; }
    void setSecondColour(uint32_t colour)
    {
        m_secondColour = colour;
        m_secondColourSet = true;
    }
    uint32_t thirdColour() const { return m_thirdColour; }
    void setThirdColour(uint32_t colour)
    {
        m_thirdColour = colour;
        m_thirdColourSet = true;
    }
    int32_t effect() const { return m_effect; }
    // Unknown numbers fall back to no effect rather than to a guess.
    void setEffect(int32_t effect) { m_effect = (effect >= kEffectNone && effect <= kEffectLastKnown) ? effect : 0; }
    bool wordBreak() const { return m_wordBreak; }
    void setWordBreak(bool on) { m_wordBreak = on; }
    bool endEllipsis() const { return m_endEllipsis; }
    void setEndEllipsis(bool on) { m_endEllipsis = on; }

    bool isFontSet() const { return m_fontSet; }
    bool isTextColourSet() const { return m_textColourSet; }
    bool isSecondColourSet() const { return m_secondColourSet; }
    bool isThirdColourSet() const { return m_thirdColourSet; }

    // Copies the font and the colours that were set on `source`; the others stay.
    void takeSetAttributesOf(const FontSetting& source);
    void reset() { *this = FontSetting(); }

private:
    void* m_font = nullptr;  // not owned
    uint32_t m_textColour = 0;
    uint32_t m_secondColour = 0;
    uint32_t m_thirdColour = 0;
    int32_t m_effect = kEffectNone;
    bool m_wordBreak = false;
    bool m_endEllipsis = false;
    bool m_fontSet = false;
    bool m_textColourSet = false;
    bool m_secondColourSet = false;
    bool m_thirdColourSet = false;
};

}  // namespace s::gui::win
