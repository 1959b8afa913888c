#pragma once
// The drawers that unskinned windows use: the group box frame with its
// title, the status bar's grip and background, and the two borders of the
// main window. Each paints through the portable drawer of s::gui::drawer
// on a canvas over the device context.
#include <windows.h>

#include <cstdint>
#include <string_view>

namespace s::gui::win::native::drawers {

// The look of an unskinned group box.
constexpr COLORREF kGroupBoxLine = RGB(208, 208, 191);
constexpr COLORREF kGroupBoxTitle = RGB(0, 70, 213);
// The room the grip of a status bar takes at its bottom-right corner.
constexpr int32_t kGripSize = 12;

void fillArea(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, COLORREF colour);

// A one-pixel rectangle just inside (0, 0, width, height).
void paintPlainBorder(HDC dc, int32_t width, int32_t height, COLORREF colour);
// The strip under the menu bar: a dark row over a white one; the rest is not painted.
void paintUnderWindowMenu(HDC dc, int32_t width);
// The frame of a group box with the title cut into its top line; tw and th
// are the title's measured extent.
void paintGroupBox(HDC dc, const RECT& bounds, std::u16string_view title, HFONT font, int32_t titleWidth,
                   int32_t titleHeight, COLORREF lineColour, COLORREF titleColour);
// The six-and-six squares of a resize grip, at the bottom-right of (width, height).
void paintResizeGrip(HDC dc, int32_t width, int32_t height);
// A status bar's background over what is already filled: the gradient of
// systems before version 6, nothing on later ones.
void paintStatusBarBackground(HDC dc, int32_t width, int32_t height);

}  // namespace s::gui::win::native::drawers
