#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "gui/drawer/ICanvas.h"

namespace s::gui::drawer {

// A canvas in memory: fills land in a pixel grid clipped to its size, and
// texts are recorded rather than rasterised, so tests can check a drawer's
// output exactly without any font.
class PixelCanvas : public ICanvas {
public:
    struct TextDraw {
        int32_t left = 0;
        int32_t top = 0;
        int32_t right = 0;
        int32_t bottom = 0;
        std::u16string text;
        uint32_t colour = 0;
        uint32_t layoutFlags = 0;
        const void* font = nullptr;  // the font handle asked for, not owned
    };

    // Fixed cell size of measureText: every character the same width.
    static constexpr int32_t kCharWidth = 6;
    static constexpr int32_t kLineHeight = 13;

    PixelCanvas(int32_t width, int32_t height, uint32_t fillColour);

    int32_t width() const { return m_width; }
    int32_t height() const { return m_height; }
    // The colour at (x, y); outside the canvas the fill colour it was made with.
    uint32_t pixel(int32_t x, int32_t y) const;
    // How many pixels of the canvas differ from its original fill.
    int32_t changedCount() const;
    const std::vector<TextDraw>& texts() const { return m_texts; }

    void fillRect(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour) override;
    void drawText(int32_t left, int32_t top, int32_t right, int32_t bottom, std::u16string_view text,
                  const s::gui::win::FontSetting& font, uint32_t colour, uint32_t layoutFlags) override;
    TextSize measureText(std::u16string_view text, const s::gui::win::FontSetting& font) override;

private:
    int32_t m_width;
    int32_t m_height;
    uint32_t m_fillColour;
    std::vector<uint32_t> m_pixels;
    std::vector<TextDraw> m_texts;
};

}  // namespace s::gui::drawer
