#pragma once
#include <cstdint>
#include <string_view>

namespace s::gui::drawer {

class ICanvas;

// The small pictures a caption can name instead of a text ("#X", "#Play",
// "#Color-ff8800" ...), drawn with filled rectangles in one colour.
class Glyph {
public:
    // The named glyph inside (left, top, right, bottom); false, with nothing
    // drawn, when the caption names no glyph.
    static bool draw(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
                     std::u16string_view caption, uint32_t colour);
    // The grip of a resizable window at the bottom-right of (right, bottom):
    // six white squares under six squares in `shade`, one pixel up and left.
    static void paintResizeGrip(ICanvas& canvas, int32_t right, int32_t bottom, uint32_t shade);

private:
    static void drawCross(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour);
    static void drawColourSample(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
                                 std::u16string_view colourName, uint32_t colour);
};

}  // namespace s::gui::drawer
