#include "gui/drawer/Glyph.h"

#include <algorithm>
#include <initializer_list>

#include "gui/drawer/Colour.h"
#include "gui/drawer/Extent.h"
#include "gui/drawer/ICanvas.h"

namespace s::gui::drawer {

namespace {

struct Box {
    int8_t x;
    int8_t y;
    int8_t width;
    int8_t height;
};

struct Shape {
    std::u16string_view name;
    std::initializer_list<Box> boxes;
};

// Most glyphs live in a 9 x 9 cell centred in the rectangle.
constexpr int32_t kCell = 9;

const Shape kShapes[] = {
    {u"#_", {{1, 7, 7, 2}}},
    {u"#Transform", {{0, 0, 9, 2}, {0, 0, 1, 9}, {8, 0, 1, 9}, {0, 8, 9, 1}}},
    {u"#.", {{3, 3, 3, 3}}},
    {u"#\u25A1", {{0, 0, 9, 1}, {0, 8, 9, 1}, {0, 0, 1, 9}, {8, 0, 1, 9}}},
    {u"#\u2199",
     {{0, 4, 1, 5}, {0, 8, 5, 1}, {1, 7, 1, 1}, {2, 6, 1, 1}, {3, 5, 1, 1}, {4, 4, 1, 1}, {5, 3, 1, 1},
      {6, 2, 1, 1}, {7, 1, 1, 1}, {8, 0, 1, 1}}},
    {u"#Play", {{2, 0, 1, 9}, {3, 1, 1, 7}, {4, 2, 1, 5}, {5, 3, 1, 3}, {6, 4, 1, 1}}},
    {u"#Pause", {{2, 1, 2, 7}, {5, 1, 2, 7}}},
    {u"#Stop", {{2, 2, 5, 5}}},
    {u"#Speaker", {{1, 3, 2, 3}, {3, 2, 1, 5}, {4, 1, 1, 7}, {5, 0, 1, 9}}},
    {u"#Mute",
     {{0, 3, 2, 3}, {2, 2, 1, 5}, {3, 1, 1, 7}, {6, 3, 1, 1}, {8, 3, 1, 1}, {7, 4, 1, 1}, {6, 5, 1, 1},
      {8, 5, 1, 1}}},
    {u"#Right", {{3, 1, 1, 7}, {4, 2, 1, 5}, {5, 3, 1, 3}, {6, 4, 1, 1}}},
    {u"#RightRight",
     {{1, 1, 1, 7}, {2, 2, 1, 5}, {3, 3, 1, 3}, {4, 4, 1, 1}, {5, 1, 1, 7}, {6, 2, 1, 5}, {7, 3, 1, 3},
      {8, 4, 1, 1}}},
    {u"#Left", {{5, 1, 1, 7}, {4, 2, 1, 5}, {3, 3, 1, 3}, {2, 4, 1, 1}}},
    {u"#LeftLeft",
     {{7, 1, 1, 7}, {6, 2, 1, 5}, {5, 3, 1, 3}, {4, 4, 1, 1}, {3, 1, 1, 7}, {2, 2, 1, 5}, {1, 3, 1, 3},
      {0, 4, 1, 1}}},
    {u"#Down", {{1, 3, 7, 1}, {2, 4, 5, 1}, {3, 5, 3, 1}, {4, 6, 1, 1}}},
    {u"#Up", {{4, 2, 1, 1}, {3, 3, 3, 1}, {2, 4, 5, 1}, {1, 5, 7, 1}}},
    {u"#ThumbLineV", {{2, 2, 5, 1}, {2, 4, 5, 1}, {2, 6, 5, 1}}},
    {u"#ThumbLineH", {{2, 2, 1, 5}, {4, 2, 1, 5}, {6, 2, 1, 5}}},
    {u"#Minus", {{1, 4, 7, 1}}},
    {u"#Plus", {{1, 4, 7, 1}, {4, 1, 1, 7}}},
    {u"#PlusMinus", {{1, 2, 7, 1}, {4, 0, 1, 5}, {1, 7, 7, 1}}},
    {u"#Check", {{1, 4, 1, 2}, {2, 5, 1, 2}, {3, 6, 1, 2}, {4, 5, 1, 2}, {5, 4, 1, 2}, {6, 3, 1, 2}, {7, 2, 1, 2}}},
    {u"#Next", {{2, 1, 1, 7}, {3, 2, 1, 5}, {4, 3, 1, 3}, {5, 4, 1, 1}, {6, 1, 1, 7}}},
    {u"#Prev", {{2, 1, 1, 7}, {6, 1, 1, 7}, {5, 2, 1, 5}, {4, 3, 1, 3}, {3, 4, 1, 1}}},
    {u"#TreeClosed", {{0, 0, 9, 1}, {0, 8, 9, 1}, {0, 0, 1, 9}, {8, 0, 1, 9}, {2, 4, 5, 1}, {4, 2, 1, 5}}},
    {u"#TreeOpen", {{0, 0, 9, 1}, {0, 8, 9, 1}, {0, 0, 1, 9}, {8, 0, 1, 9}, {2, 4, 5, 1}}},
    {u"#TurnRight", {{1, 2, 1, 6}, {1, 2, 5, 1}, {5, 0, 1, 5}, {6, 1, 1, 3}, {7, 2, 1, 1}}},
    {u"#TurnLeft", {{7, 2, 1, 6}, {3, 2, 5, 1}, {3, 0, 1, 5}, {2, 1, 1, 3}, {1, 2, 1, 1}}},
    {u"#OnTop", {{1, 0, 7, 1}, {3, 1, 3, 4}, {1, 5, 7, 1}, {4, 6, 1, 3}}},
    {u"#FitWindow",
     {{0, 0, 3, 1}, {0, 0, 1, 3}, {6, 0, 3, 1}, {8, 0, 1, 3}, {0, 8, 3, 1}, {0, 6, 1, 3}, {6, 8, 3, 1},
      {8, 6, 1, 3}}},
    {u"#FitToWindow", {{0, 0, 9, 1}, {0, 8, 9, 1}, {0, 0, 1, 9}, {8, 0, 1, 9}, {3, 3, 3, 3}}},
    {u"#Palm", {{1, 3, 1, 4}, {3, 1, 1, 5}, {5, 1, 1, 5}, {7, 2, 1, 4}, {1, 6, 7, 3}}},
    {u"#KeepRatio", {{0, 2, 9, 1}, {0, 6, 9, 1}, {0, 2, 1, 5}, {8, 2, 1, 5}}},
};

// Larger than any window: a rectangle beyond it is a caller's mistake, and
// stepping a cross across it would take seconds.
constexpr int32_t kMaxGlyphExtent = 1 << 16;

constexpr std::u16string_view kCross = u"#X";
constexpr std::u16string_view kResizer = u"#Resizer";
constexpr std::u16string_view kColourPrefix = u"#Color-";

// Offsets of the grip's squares back from the bottom-right corner.
constexpr int32_t kGripSquares[][2] = {{3, 11}, {3, 7}, {7, 7}, {3, 3}, {7, 3}, {11, 3}};

int32_t hexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// "RRGGBB" in hexadecimal; false for anything else.
bool parseColour(std::u16string_view name, uint32_t& result)
{
    if (name.size() != 6)
        return false;
    uint32_t channels[3] = {};
    for (size_t i = 0; i < 6; i += 2) {
        const int32_t high = hexDigit(name[i]);
        const int32_t low = hexDigit(name[i + 1]);
        if (high < 0 || low < 0)
            return false;
        channels[i / 2] = static_cast<uint32_t>(high * 16 + low);
    }
    result = colour::rgb(channels[0], channels[1], channels[2]);
    return true;
}

}  // namespace

bool Glyph::draw(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
                 std::u16string_view caption, uint32_t colour)
{
    if (caption.empty() || caption.front() != u'#')
        return false;
    // A known name is a glyph even where there is no room to show it.
    const bool paintable = hasArea(left, top, right, bottom);
    if (caption == kCross) {
        if (paintable)
            drawCross(canvas, left, top, right, bottom, colour);
        return true;
    }
    if (caption == kResizer) {
        if (paintable)
            paintResizeGrip(canvas, right, bottom, colour);
        return true;
    }
    if (caption.substr(0, kColourPrefix.size()) == kColourPrefix) {
        if (paintable)
            drawColourSample(canvas, left, top, right, bottom, caption.substr(kColourPrefix.size()), colour);
        return true;
    }
    for (const Shape& shape : kShapes) {
        if (shape.name != caption)
            continue;
        if (!paintable)
            return true;
        const int32_t x = left + (right - left - kCell) / 2;
        const int32_t y = top + (bottom - top - kCell) / 2;
        for (const Box& box : shape.boxes)
            canvas.fillRect(x + box.x, y + box.y, box.width, box.height, colour);
        return true;
    }
    return false;
}

void Glyph::drawCross(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour)
{
    // 2 x 2 squares stepping diagonally, centred in a square that fits.
    const int64_t width = static_cast<int64_t>(right) - left;
    const int64_t height = static_cast<int64_t>(bottom) - top;
    if (width <= 2 || height <= 2 || width > kMaxGlyphExtent || height > kMaxGlyphExtent)
        return;
    const int32_t innerWidth = static_cast<int32_t>(width) - 2;
    const int32_t innerHeight = static_cast<int32_t>(height) - 2;
    const int32_t side = std::min(innerWidth, innerHeight) & ~1;
    const int32_t dx = (innerWidth - side) / 2;
    const int32_t dy = (innerHeight - side) / 2;
    for (int32_t x = left + 1 + dx, y = top + 1 + dy; x < right - 1 && y < bottom - 2; ++x, ++y)
        canvas.fillRect(x, y, 2, 2, colour);
    for (int32_t x = right - 3 - dx, y = top + 1 + dy; x >= left + 1 && y < bottom - 2; --x, ++y)
        canvas.fillRect(x, y, 2, 2, colour);
}

void Glyph::drawColourSample(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
                             std::u16string_view colourName, uint32_t colour)
{
    // A name that does not parse still shows a sample, in the glyph colour.
    uint32_t sample = colour;
    parseColour(colourName, sample);
    canvas.fillRect(left + (right - left - kCell) / 2, top + (bottom - top - kCell) / 2, kCell, kCell, sample);
}

void Glyph::paintResizeGrip(ICanvas& canvas, int32_t right, int32_t bottom, uint32_t shade)
{
    if (!inCoordinateRange(right) || !inCoordinateRange(bottom))
        return;
    for (const auto& square : kGripSquares)
        canvas.fillRect(right - square[0], bottom - square[1], 2, 2, colour::kWhite);
    for (const auto& square : kGripSquares)
        canvas.fillRect(right - square[0] - 1, bottom - square[1] - 1, 2, 2, shade);
}

}  // namespace s::gui::drawer
