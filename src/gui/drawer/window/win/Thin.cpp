#include "gui/drawer/window/win/Thin.h"

#include "gui/drawer/Colour.h"
#include "gui/drawer/Extent.h"
#include "gui/drawer/ICanvas.h"

namespace s::gui::drawer::window::win {

namespace {

struct Piece {
    int32_t x;  // from the left edge, or back from the right edge when negative
    int32_t y;  // from the top edge, or back from the bottom edge when negative
    int32_t width;
};

// The frame's extra pixels of the large round corners, one row each. The
// bottom-right corner is deliberately not a mirror of the top-right one.
constexpr Piece kLargeTopRows[] = {{0, 1, 5},  {0, 2, 3},  {0, 3, 2},  {0, 4, 2},  {0, 5, 1},
                                   {-5, 1, 5}, {-3, 2, 3}, {-2, 3, 2}, {-2, 4, 2}, {-1, 5, 1}};
constexpr Piece kLargeBottomRows[] = {{0, -6, 1},  {0, -5, 2},  {0, -4, 2},  {0, -3, 3},  {0, -2, 5},
                                      {-1, -6, 1}, {-2, -5, 2}, {-3, -4, 2}, {-4, -3, 3}, {-5, -2, 5}};

}  // namespace

void Thin::reset()
{
    m_topCorners = kCornersSquare;
    m_bottomCorners = kCornersSquare;
    m_transparent = false;
    m_fillColour = colour::kWhite;
    m_frameColour = colour::kBlack;
}

void Thin::paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    if (!hasArea(left, top, right, bottom))
        return;
    const int32_t w = right - left;
    const int32_t h = bottom - top;
    if (!m_transparent)
        canvas.fillRect(left, top, w, h, m_fillColour);
    canvas.fillRect(left, top, w, 1, m_frameColour);
    canvas.fillRect(left + w - 1, top, 1, h, m_frameColour);
    canvas.fillRect(left, top + h - 1, w, 1, m_frameColour);
    canvas.fillRect(left, top, 1, h - 1, m_frameColour);
    // A small round corner anywhere decides the look of all four.
    if (m_topCorners == kCornersSmallRound || m_bottomCorners == kCornersSmallRound)
        paintSmallCorners(canvas, left, top, w, h);
    else
        paintLargeCorners(canvas, left, top, w, h);
}

void Thin::paintSmallCorners(ICanvas& canvas, int32_t left, int32_t top, int32_t w, int32_t h) const
{
    if (m_topCorners == kCornersSmallRound) {
        canvas.fillRect(left, top + 1, 2, 1, m_frameColour);
        canvas.fillRect(left + w - 2, top + 1, 2, 1, m_frameColour);
    }
    if (m_bottomCorners == kCornersSmallRound) {
        canvas.fillRect(left, top + h - 2, 2, 1, m_frameColour);
        canvas.fillRect(left + w - 2, top + h - 2, 2, 1, m_frameColour);
    }
}

void Thin::paintLargeCorners(ICanvas& canvas, int32_t left, int32_t top, int32_t w, int32_t h) const
{
    auto paintRows = [&](const Piece (&rows)[10]) {
        for (const Piece& row : rows)
            canvas.fillRect(left + (row.x < 0 ? w + row.x : row.x), top + (row.y < 0 ? h + row.y : row.y), row.width,
                            1, m_frameColour);
    };
    if (m_topCorners == kCornersLargeRound)
        paintRows(kLargeTopRows);
    if (m_bottomCorners == kCornersLargeRound)
        paintRows(kLargeBottomRows);
}

Region Thin::region(int32_t left, int32_t top, int32_t right, int32_t bottom) const
{
    Region shape;
    shape.bounds = {left, top, right + 1, bottom + 1};
    if (m_topCorners == kCornersSquare && m_bottomCorners == kCornersSquare)
        return shape;
    const bool small = m_topCorners == kCornersSmallRound || m_bottomCorners == kCornersSmallRound;
    const int32_t kind = small ? kCornersSmallRound : kCornersLargeRound;
    shape.cornerEllipse = small ? 5 : 11;
    // How far the squaring rectangle reaches into the rounded side's other end.
    const int32_t topReach = small ? 4 : 6;
    const int32_t bottomReach = small ? 3 : 5;
    if (m_topCorners != kind)
        shape.squaring.push_back({left, top, right + 1, top + topReach});
    if (m_bottomCorners != kind)
        shape.squaring.push_back({left, bottom - bottomReach, right + 1, bottom + 1});
    return shape;
}

}  // namespace s::gui::drawer::window::win
