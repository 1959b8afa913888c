#include "gui/win/native/Drawers.h"

#include <algorithm>

namespace s::gui::win::native::drawers {

namespace {

constexpr COLORREF kUnderMenuDark = RGB(172, 168, 153);
constexpr COLORREF kGripLight = RGB(255, 255, 255);
constexpr COLORREF kGripShade = RGB(184, 181, 161);

// Offsets of the grip's squares from the bottom-right corner: a triangle of
// six, drawn once in white and once one pixel up and left in the shade.
constexpr POINT kGripSquares[] = {{3, 11}, {3, 7}, {7, 7}, {3, 3}, {7, 3}, {11, 3}};

}  // namespace

void fillArea(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, COLORREF colour)
{
    if (width <= 0 || height <= 0)
        return;
    const RECT area{x, y, x + width, y + height};
    // ExtTextOut with ETO_OPAQUE fills without making a brush.
    const COLORREF previous = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

void paintPlainBorder(HDC dc, int32_t width, int32_t height, COLORREF colour)
{
    if (width <= 0 || height <= 0)
        return;
    fillArea(dc, 0, 0, width, 1, colour);
    fillArea(dc, width - 1, 0, 1, height, colour);
    fillArea(dc, 0, height - 1, width, 1, colour);
    fillArea(dc, 0, 0, 1, height - 1, colour);
}

void paintUnderWindowMenu(HDC dc, int32_t width)
{
    fillArea(dc, 0, 0, width, 1, kUnderMenuDark);
    fillArea(dc, 0, 1, width, 1, RGB(255, 255, 255));
}

void paintGroupBox(HDC dc, const RECT& bounds, std::u16string_view title, HFONT font, int32_t titleWidth,
                   int32_t titleHeight, COLORREF lineColour, COLORREF titleColour)
{
    const int32_t left = bounds.left;
    const int32_t top = bounds.top;
    const int32_t right = bounds.right;
    const int32_t bottom = bounds.bottom;
    const int32_t height = bottom - top;
    if (right <= left || height <= 0)
        return;

    RECT titleArea{9, 0, 9 + titleWidth, titleHeight};
    HGDIOBJ previousFont = SelectObject(dc, font);
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColour = SetTextColor(dc, titleColour);
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(title.data()), static_cast<int>(title.size()), &titleArea,
              DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP);
    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);

    fillArea(dc, left + 2, top, 5, 1, lineColour);
    fillArea(dc, titleWidth + 11, top, right - titleWidth - left - 13, 1, lineColour);
    fillArea(dc, left + 2, bottom - 1, right - left - 4, 1, lineColour);
    fillArea(dc, left, top + 2, 1, height - 4, lineColour);
    fillArea(dc, right - 1, top + 2, 1, height - 4, lineColour);
    const POINT rounding[][2] = {
        {{left + 1, top + 1}, {2, 1}},   {{right - 3, top + 1}, {2, 1}}, {{left + 1, bottom - 2}, {2, 1}},
        {{right - 3, bottom - 2}, {2, 1}}, {{left + 1, top + 2}, {1, 1}}, {{right - 2, top + 2}, {1, 1}},
        {{left + 1, bottom - 3}, {1, 1}}, {{right - 2, bottom - 3}, {1, 1}},
    };
    for (const auto& pixel : rounding)
        fillArea(dc, pixel[0].x, pixel[0].y, pixel[1].x, pixel[1].y, lineColour);
}

void paintResizeGrip(HDC dc, int32_t width, int32_t height)
{
    for (const POINT& square : kGripSquares)
        fillArea(dc, width - square.x, height - square.y, 2, 2, kGripLight);
    for (const POINT& square : kGripSquares)
        fillArea(dc, width - square.x - 1, height - square.y - 1, 2, 2, kGripShade);
}

}  // namespace s::gui::win::native::drawers
