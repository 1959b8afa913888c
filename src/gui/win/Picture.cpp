#include "gui/win/Picture.h"

#include <algorithm>

namespace s::gui::win {

void Picture::reset()
{
    m_image = nullptr;
    m_icon = nullptr;
    m_shownWidth = m_shownHeight = 0;
    resetControl();
}

void Picture::setImage(const s::image::win::BufferedImage* image, int32_t shownWidth, int32_t shownHeight)
{
    m_image = image;
    m_icon = nullptr;
    m_shownWidth = std::max(0, shownWidth);
    m_shownHeight = std::max(0, shownHeight);
    measure();
    if (m_native)
        m_native->redraw();
}

void Picture::setIcon(void* icon, int32_t size)
{
    m_icon = icon;
    m_image = nullptr;
    m_shownWidth = m_shownHeight = std::max(0, size);
    measure();
    if (m_native)
        m_native->redraw();
}

// Its size is the one it is shown at, whatever the picture holds.
void Picture::measure()
{
    setNaturalMinSize(m_shownWidth, m_shownHeight);
    setNaturalPreferredSize(m_shownWidth, m_shownHeight);
}

}  // namespace s::gui::win
