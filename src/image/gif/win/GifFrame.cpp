#include "image/gif/win/GifFrame.h"

#include <algorithm>
#include <iterator>
#include <new>

#include "platform/PixelStore.h"

namespace s::image::gif::win {

void GifFrame::reset()
{
    m_indices.reset();
    m_width = m_height = 0;
    m_left = m_top = 0;
    std::fill(std::begin(m_colorTable), std::end(m_colorTable), 0u);
}

bool GifFrame::create(int32_t width, int32_t height)
{
    reset();
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        return false;
    const uint64_t pixels = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    if (pixels > s::platform::PixelStore::kMaxPixels)
        return false;
    // Value-initialised: pixels the data never reaches stay index 0.
    m_indices.reset(new (std::nothrow) uint8_t[static_cast<size_t>(pixels)]());
    if (!m_indices)
        return false;
    m_width = width;
    m_height = height;
    return true;
}

}  // namespace s::image::gif::win
