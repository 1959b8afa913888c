#pragma once
#include <cstdint>
#include <string_view>

namespace s::gui::win {
class FontSetting;
}

namespace s::gui::drawer {

// Where drawers paint: solid rectangles and text, nothing else, so the same
// drawer paints into a device context on Windows and into memory in tests.
class ICanvas {
public:
    // Text layout asks, combined with |.
    enum TextLayout : uint32_t {
        kTextLeftTop = 0,
        kTextCentred = 1u << 0,            // both ways
        kTextSingleLine = 1u << 1,
        kTextEndEllipsis = 1u << 2,
        kTextWordBreak = 1u << 3,
        kTextNoPrefix = 1u << 4,           // '&' is shown, not an underline mark
        kTextCentredVertically = 1u << 5,  // left-aligned
    };

    struct TextSize {
        int32_t width = 0;
        int32_t height = 0;
    };

    virtual ~ICanvas() = default;

    // Colour as a Windows colour value; an empty or negative size paints nothing.
    virtual void fillRect(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour) = 0;
    // The text inside (left, top, right, bottom), transparently, in the font's handle.
    virtual void drawText(int32_t left, int32_t top, int32_t right, int32_t bottom, std::u16string_view text,
                          const s::gui::win::FontSetting& font, uint32_t colour, uint32_t layoutFlags) = 0;
    virtual TextSize measureText(std::u16string_view text, const s::gui::win::FontSetting& font) = 0;
};

}  // namespace s::gui::drawer
