#include "gui/drawer/tabbox/win/Thin.h"

#include <algorithm>

#include "gui/drawer/Extent.h"
#include "gui/drawer/Outline.h"

namespace s::gui::drawer::tabbox::win {

namespace {

constexpr uint32_t kResetGrey = 0x787878;

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

void Thin::paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t tabRowHeight)
{
    if (!hasArea(left, top, right, bottom))
        return;
    const int32_t pageTop = top + std::min(clampedLength(tabRowHeight), bottom - top - 1);
    outline(canvas, left, pageTop, right, bottom, m_colour);
}

}  // namespace s::gui::drawer::tabbox::win
