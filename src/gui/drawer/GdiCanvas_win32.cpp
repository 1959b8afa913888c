#include "gui/drawer/GdiCanvas.h"

#include <windows.h>

#include <limits>

#include "gui/win/FontSetting.h"

namespace s::gui::drawer {

namespace {

UINT drawTextFormat(uint32_t layoutFlags)
{
    UINT format = DT_LEFT | DT_TOP;
    if (layoutFlags & ICanvas::kTextCentred)
        format |= DT_CENTER | DT_VCENTER;
    if (layoutFlags & ICanvas::kTextCentredVertically)
        format |= DT_VCENTER;
    if (layoutFlags & ICanvas::kTextSingleLine)
        format |= DT_SINGLELINE;
    if (layoutFlags & ICanvas::kTextEndEllipsis)
        format |= DT_END_ELLIPSIS;
    if (layoutFlags & ICanvas::kTextWordBreak)
        format |= DT_WORDBREAK;
    if (layoutFlags & ICanvas::kTextNoPrefix)
        format |= DT_NOPREFIX;
    return format;
}

LONG clampedEnd(int32_t start, int32_t extent)
{
    const int64_t end = static_cast<int64_t>(start) + extent;
    return static_cast<LONG>(end > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max() : end);
}

int textLength(std::u16string_view text)
{
    const size_t most = static_cast<size_t>(std::numeric_limits<int>::max());
    return static_cast<int>(text.size() < most ? text.size() : most);
}

// Selects the setting's font for one call and puts the previous one back.
class FontSelection {
public:
    FontSelection(HDC dc, const s::gui::win::FontSetting& font) : m_dc(dc)
    {
        if (font.font())
            m_previous = SelectObject(dc, static_cast<HFONT>(font.font()));
    }
    ~FontSelection()
    {
        if (m_previous)
            SelectObject(m_dc, m_previous);
    }
    FontSelection(const FontSelection&) = delete;
    FontSelection& operator=(const FontSelection&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous = nullptr;
};

}  // namespace

void GdiCanvas::fillRect(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour)
{
    if (!m_dc || width <= 0 || height <= 0)
        return;
    HDC dc = static_cast<HDC>(m_dc);
    // Ends past the coordinate range are cut there rather than wrapped round.
    const RECT area{x, y, clampedEnd(x, width), clampedEnd(y, height)};
    // ExtTextOut with ETO_OPAQUE fills without making a brush.
    const COLORREF previous = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

void GdiCanvas::drawText(int32_t left, int32_t top, int32_t right, int32_t bottom, std::u16string_view text,
                         const s::gui::win::FontSetting& font, uint32_t colour, uint32_t layoutFlags)
{
    if (!m_dc || text.empty())
        return;
    HDC dc = static_cast<HDC>(m_dc);
    FontSelection selection(dc, font);
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColour = SetTextColor(dc, colour);
    RECT area{left, top, right, bottom};
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.data()), textLength(text), &area,
              drawTextFormat(layoutFlags));
    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
}

ICanvas::TextSize GdiCanvas::measureText(std::u16string_view text, const s::gui::win::FontSetting& font)
{
    if (!m_dc)
        return {};
    HDC dc = static_cast<HDC>(m_dc);
    FontSelection selection(dc, font);
    SIZE extent{};
    if (!GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()), textLength(text), &extent))
        return {};
    return {extent.cx, extent.cy};
}

}  // namespace s::gui::drawer
