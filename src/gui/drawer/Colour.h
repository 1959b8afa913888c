#pragma once
#include <cstdint>

// Colours as Windows colour values: red in the low byte, then green, then blue.
namespace s::gui::drawer::colour {

constexpr uint32_t rgb(uint32_t red, uint32_t green, uint32_t blue)
{
    return (red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16);
}
constexpr uint32_t grey(uint32_t level) { return rgb(level, level, level); }
constexpr uint32_t red(uint32_t colour) { return colour & 0xFFu; }
constexpr uint32_t green(uint32_t colour) { return (colour >> 8) & 0xFFu; }
constexpr uint32_t blue(uint32_t colour) { return (colour >> 16) & 0xFFu; }

// The same colour as the controls take it: 0x00RRGGBB.
constexpr uint32_t toControlColour(uint32_t colour) { return red(colour) << 16 | green(colour) << 8 | blue(colour); }

constexpr uint32_t kBlack = rgb(0, 0, 0);
constexpr uint32_t kWhite = rgb(255, 255, 255);

// Every channel times percent / 100, truncated and limited to 255. Whole
// percentages in integers keep the result exact (no 0.85 * 20 = 16.999...).
constexpr uint32_t shade(uint32_t colour, uint32_t percent)
{
    auto channel = [percent](uint32_t value) {
        const uint32_t scaled = value * percent / 100u;
        return scaled > 255u ? 255u : scaled;
    };
    return rgb(channel(red(colour)), channel(green(colour)), channel(blue(colour)));
}

}  // namespace s::gui::drawer::colour
