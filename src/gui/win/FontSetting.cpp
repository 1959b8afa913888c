#include "gui/win/FontSetting.h"

namespace s::gui::win {

void FontSetting::takeSetAttributesOf(const FontSetting& source)
{
    if (source.m_fontSet)
        setFont(source.m_font);
    if (source.m_textColourSet)
        setTextColour(source.m_textColour);
    if (source.m_secondColourSet)
        setSecondColour(source.m_secondColour);
    if (source.m_thirdColourSet)
        setThirdColour(source.m_thirdColour);
}

}  // namespace s::gui::win
