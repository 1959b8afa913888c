#include "gui/drawer/border/win/Thin.h"

#include "gui/drawer/Colour.h"
#include "gui/drawer/Extent.h"
#include "gui/drawer/ICanvas.h"

namespace s::gui::drawer::border::win {

namespace {

// Shade of each edge in percent of the base colour, per border type; 0 = not drawn.
struct EdgeShades {
    uint32_t top;
    uint32_t right;
    uint32_t bottom;
    uint32_t left;
};
constexpr EdgeShades kShades[] = {
    {115, 70, 50, 105},  // raised
    {105, 90, 85, 100},  // normal
    {85, 100, 105, 90},  // sunken
    {105, 90, 0, 100},   // open at the bottom
};

}  // namespace

uint32_t Thin::edgeColour(uint32_t base, uint32_t percent) const
{
    return m_shaded ? colour::shade(base, percent) : base;
}

void Thin::paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t type,
                 int32_t cornerKind, uint32_t red, uint32_t green, uint32_t blue)
{
    if (!hasArea(left, top, right, bottom) || type < kRaised || type > kOpenBottom)
        return;
    const int32_t w = right - left;
    const int32_t h = bottom - top;
    const uint32_t base = colour::rgb(red, green, blue);
    const EdgeShades& shades = kShades[type];
    // Cut corners leave the corner pixels out; round ones also one more
    // pixel, which a diagonal pixel then fills (see below).
    const int32_t cut = cornerKind == kCutCorners ? 1 : cornerKind == kRoundCorners ? 2 : 0;
    canvas.fillRect(left + cut, top, w - 2 * cut, 1, edgeColour(base, shades.top));
    canvas.fillRect(left + w - 1, top + cut, 1, h - 2 * cut, edgeColour(base, shades.right));
    if (shades.bottom != 0)
        canvas.fillRect(left + cut, top + h - 1, w - 2 * cut, 1, edgeColour(base, shades.bottom));
    canvas.fillRect(left, top + cut, 1, h - 2 * cut, edgeColour(base, shades.left));

    if (cornerKind == kCutCorners && type == kRaised)
        paintRaisedEnds(canvas, left, top, w, h, base);
    if (cornerKind == kRoundCorners && w > 2 && h > 2) {
        canvas.fillRect(left + 1, top + 1, 1, 1, edgeColour(base, shades.top));
        canvas.fillRect(left + w - 2, top + 1, 1, 1, edgeColour(base, shades.right));
        if (shades.bottom != 0) {
            canvas.fillRect(left + 1, top + h - 2, 1, 1, edgeColour(base, shades.left));
            canvas.fillRect(left + w - 2, top + h - 2, 1, 1, edgeColour(base, shades.bottom));
        }
    }
}

void Thin::paintRaisedEnds(ICanvas& canvas, int32_t left, int32_t top, int32_t w, int32_t h, uint32_t base) const
{
    // A raised button catches the light at the ends of its edges as well.
    canvas.fillRect(left + w - 2, top, 1, 1, edgeColour(base, 105));
    canvas.fillRect(left + w - 1, top + 1, 1, 1, edgeColour(base, 95));
    canvas.fillRect(left + w - 1, top + h - 2, 1, 1, edgeColour(base, 50));
    canvas.fillRect(left + 1, top + h - 1, 1, 1, edgeColour(base, 70));
    canvas.fillRect(left + w - 2, top + h - 1, 1, 1, edgeColour(base, 45));
    canvas.fillRect(left, top + 1, 1, 1, edgeColour(base, 115));
    canvas.fillRect(left, top + h - 2, 1, 1, edgeColour(base, 85));
}

}  // namespace s::gui::drawer::border::win
