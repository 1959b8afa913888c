#include "gui/drawer/groupbox/win/Thin.h"

#include "gui/drawer/Extent.h"
#include "gui/drawer/ICanvas.h"

namespace s::gui::drawer::groupbox::win {

namespace {

constexpr uint32_t kResetGrey = 0x787878;
constexpr int32_t kTitleIndent = 8;
constexpr int32_t kTitleGap = 2;

}  // namespace

void Thin::reset()
{
    m_colour = kResetGrey;
    for (s::gui::win::FontSetting& setting : m_fontSettings)
        setting.reset();
}

s::gui::win::FontSetting& Thin::fontSetting(int32_t index)
{
    return m_fontSettings[index >= 0 && index < kFontSettingCount ? static_cast<size_t>(index) : 0u];
}

void Thin::paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, std::u16string_view title,
                 const s::gui::win::FontSetting& font, int32_t titleWidth, int32_t titleHeight)
{
    if (!hasArea(left, top, right, bottom))
        return;
    titleWidth = clampedLength(titleWidth);
    titleHeight = clampedLength(titleHeight);
    // The line runs through the middle of the title's height.
    const int32_t lineY = top + titleHeight / 2;
    s::gui::win::FontSetting look = font;
    look.takeSetAttributesOf(m_fontSettings[0]);
    const int32_t titleLeft = left + kTitleIndent;
    if (!title.empty())
        canvas.drawText(titleLeft, top, titleLeft + titleWidth, top + titleHeight, title, look, look.textColour(),
                        ICanvas::kTextSingleLine | ICanvas::kTextNoPrefix);
    const int32_t gapLeft = title.empty() ? titleLeft : titleLeft - kTitleGap;
    const int32_t gapRight = title.empty() ? titleLeft : titleLeft + titleWidth + kTitleGap;
    canvas.fillRect(left, lineY, gapLeft - left, 1, m_colour);
    canvas.fillRect(gapRight, lineY, right - gapRight, 1, m_colour);
    canvas.fillRect(left, lineY, 1, bottom - lineY, m_colour);
    canvas.fillRect(right - 1, lineY, 1, bottom - lineY, m_colour);
    canvas.fillRect(left, bottom - 1, right - left, 1, m_colour);
}

}  // namespace s::gui::drawer::groupbox::win
