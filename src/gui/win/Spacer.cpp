#include "gui/win/Spacer.h"

#include <utility>

#include "gui/IBox.h"

namespace s::gui::win {

void Spacer::reset()
{
    resetComponent();
    m_fixedWidth = kNewSpacerSize;
    m_fixedHeight = kNewSpacerSize;
    m_orientation = kOrientationHorizontal;
}

bool Spacer::flatAcross(int32_t layoutType, int32_t orientation) const
{
    // Only a box's row or column knows the axis; under a group box, window
    // or any other arrangement the spacer measures as it is.
    const auto* box = dynamic_cast<const IBox*>(m_parent);
    return box && box->layoutType() == layoutType && m_orientation == orientation;
}

int32_t Spacer::minWidth() const
{
    return flatAcross(kLayoutRow, kOrientationVertical) ? 0 : Component<ISpacer>::minWidth();
}

int32_t Spacer::preferredWidth() const
{
    return flatAcross(kLayoutRow, kOrientationVertical) ? 0 : Component<ISpacer>::preferredWidth();
}

int32_t Spacer::minHeight() const
{
    return flatAcross(kLayoutColumn, kOrientationHorizontal) ? 0 : Component<ISpacer>::minHeight();
}

int32_t Spacer::preferredHeight() const
{
    return flatAcross(kLayoutColumn, kOrientationHorizontal) ? 0 : Component<ISpacer>::preferredHeight();
}

void Spacer::setHorizontalOrientation()
{
    m_orientation = kOrientationHorizontal;
    exchangeAxes();
}

void Spacer::setVerticalOrientation()
{
    m_orientation = kOrientationVertical;
    exchangeAxes();
}

void Spacer::setWidthPercent(int32_t percent)
{
    m_widthPercent = percent;
    m_fixedWidth = kUnset;
}

void Spacer::setHeightPercent(int32_t percent)
{
    m_heightPercent = percent;
    m_fixedHeight = kUnset;
}

void Spacer::exchangeAxes()
{
    std::swap(m_fixedWidth, m_fixedHeight);
    std::swap(m_widthPercent, m_heightPercent);
}

}  // namespace s::gui::win
