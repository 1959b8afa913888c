#include "gui/layout/LayoutMath.h"

#include "gui/LayoutTypes.h"

namespace s::gui::layout {

float LayoutMath::ratio(int32_t extra, int32_t wanted)
{
    return static_cast<float>(static_cast<double>(extra) / static_cast<double>(wanted));
}

int32_t LayoutMath::share(int32_t delta, float ratio)
{
    return static_cast<int32_t>(static_cast<float>(delta) * ratio);
}

int32_t LayoutMath::alignStart(int32_t extra, int32_t align)
{
    if (extra <= 0)
        return 0;
    if (align == kAlignCenter)
        return extra / 2;
    if (align == kAlignRight)
        return extra;
    return 0;
}

int32_t LayoutMath::alignWithin(int32_t room, int32_t size, int32_t align)
{
    return size < room ? alignStart(room - size, align) : 0;
}

void SpacedSum::add(int32_t length)
{
    if (m_started && m_previousCounted)
        m_sum += m_spacing;
    m_sum += length;
    m_started = true;
    m_previousCounted = length >= 1;
}

int32_t SpacedSum::total() const
{
    if (m_started && !m_previousCounted && m_sum >= 1)
        return m_sum - m_spacing;
    return m_sum;
}

}  // namespace s::gui::layout
