#include "gui/drawer/PixelCanvas.h"

#include <algorithm>

#include "gui/win/FontSetting.h"

namespace s::gui::drawer {

namespace {

// A canvas larger than this is refused (kept empty): tests need small ones,
// and a wild size must not ask for gigabytes.
constexpr int64_t kMaxPixels = 16 * 1024 * 1024;

}  // namespace

PixelCanvas::PixelCanvas(int32_t width, int32_t height, uint32_t fillColour)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)), m_fillColour(fillColour)
{
    if (static_cast<int64_t>(m_width) * m_height > kMaxPixels)
        m_width = m_height = 0;
    m_pixels.assign(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), fillColour);
}

uint32_t PixelCanvas::pixel(int32_t x, int32_t y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return m_fillColour;
    return m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)];
}

int32_t PixelCanvas::changedCount() const
{
    return static_cast<int32_t>(
        std::count_if(m_pixels.begin(), m_pixels.end(), [this](uint32_t p) { return p != m_fillColour; }));
}

void PixelCanvas::fillRect(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour)
{
    if (width <= 0 || height <= 0)
        return;
    // 64-bit ends: x + width must not wrap for rectangles far outside.
    const int64_t left = std::max<int64_t>(x, 0);
    const int64_t top = std::max<int64_t>(y, 0);
    const int64_t right = std::min<int64_t>(static_cast<int64_t>(x) + width, m_width);
    const int64_t bottom = std::min<int64_t>(static_cast<int64_t>(y) + height, m_height);
    for (int64_t row = top; row < bottom; ++row)
        for (int64_t column = left; column < right; ++column)
            m_pixels[static_cast<size_t>(row * m_width + column)] = colour;
}

void PixelCanvas::drawText(int32_t left, int32_t top, int32_t right, int32_t bottom, std::u16string_view text,
                           const s::gui::win::FontSetting& font, uint32_t colour, uint32_t layoutFlags)
{
    m_texts.push_back({left, top, right, bottom, std::u16string(text), colour, layoutFlags, font.font()});
}

ICanvas::TextSize PixelCanvas::measureText(std::u16string_view text, const s::gui::win::FontSetting&)
{
    return {static_cast<int32_t>(std::min<size_t>(text.size(), 1u << 20)) * kCharWidth, kLineHeight};
}

}  // namespace s::gui::drawer
