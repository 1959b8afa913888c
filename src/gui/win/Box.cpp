#include "gui/win/Box.h"

#include <algorithm>

#include "gui/events/EventTypes.h"
#include "gui/layout/FlowH.h"
#include "gui/layout/Pile.h"
#include "gui/layout/Row.h"
#include "gui/layout/Vertical.h"

namespace s::gui::win {

namespace {

int32_t alignmentOf(int32_t value, int32_t start, int32_t middle, int32_t end)
{
    if (value <= 0)
        return start;
    return value == 1 ? middle : end;
}

}  // namespace

void Box::reset()
{
    resetContainer();
    m_layoutType = kLayoutColumn;
    m_hAlign = kAlignLeft;
    m_vAlign = kAlignTop;
    m_hSpacing = m_vSpacing = 0;
    m_minimumWidth = kUnset;
    m_collapsedWidth = m_collapsedHeight = false;
    m_backgroundColour = kSystemFaceColour;
    m_borderStyle = BorderStyle::kNone;
    m_borderColour = 0;
    m_droppedFiles.clear();
    m_wheelLines = 0;
    m_droppedAddress.clear();
}

Box* Box::makeBox(int32_t widthPercent, int32_t heightPercent, int32_t hAlign, int32_t vAlign, int32_t hSpacing,
                  int32_t vSpacing, int32_t marginLeftRight, int32_t marginTopBottom, int32_t layoutType)
{
    const bool relayoutParent = true;
    Box* box = take();
    box->m_layoutType = layoutType;
    if (widthPercent >= 0)
        box->setWidthPercent(widthPercent, relayoutParent);
    if (heightPercent >= 0)
        box->setHeightPercent(heightPercent, relayoutParent);
    box->m_hAlign = alignmentOf(hAlign, kAlignLeft, kAlignCenter, kAlignRight);
    box->m_vAlign = alignmentOf(vAlign, kAlignTop, kAlignMiddle, kAlignBottom);
    if (hSpacing > 0)
        box->setHSpacing(hSpacing);
    if (vSpacing > 0)
        box->setVSpacing(vSpacing);
    if (marginLeftRight > 0)
        box->setMarginsLeftRight(marginLeftRight);
    if (marginTopBottom > 0)
        box->setMarginsTopBottom(marginTopBottom);
    return box;
}

int32_t Box::minWidth() const
{
    if (m_collapsedWidth)
        return 0;
    if (isSet(m_fixedWidth))
        return m_fixedWidth;
    const int32_t needed = m_marginLeft + m_marginRight + m_content.minWidth;
    return isSet(m_minimumWidth) ? std::max(needed, m_minimumWidth) : needed;
}

int32_t Box::minHeight() const
{
    if (m_collapsedHeight)
        return 0;
    return Container<IBox>::minHeight();
}

void Box::setMarginLeft(int32_t n)
{
    m_marginLeft = n;
    applyMarginOffsets();
}

void Box::setMarginRight(int32_t n)
{
    m_marginRight = n;
    applyMarginOffsets();
}

void Box::setMarginTop(int32_t n)
{
    m_marginTop = n;
    applyMarginOffsets();
}

void Box::setMarginBottom(int32_t n)
{
    m_marginBottom = n;
    applyMarginOffsets();
}

void Box::setMarginsLeftRight(int32_t n)
{
    m_marginLeft = m_marginRight = n;
    applyMarginOffsets();
}

void Box::setMarginsTopBottom(int32_t n)
{
    m_marginTop = m_marginBottom = n;
    applyMarginOffsets();
}

void Box::setMargins(int32_t n)
{
    m_marginLeft = m_marginRight = m_marginTop = m_marginBottom = n;
    applyMarginOffsets();
}

Box::ContentSizes Box::arrange()
{
    using namespace s::gui::layout;
    const ArrangeSettings settings{m_hAlign, m_vAlign, m_hSpacing, m_vSpacing};
    switch (m_layoutType) {
    case kLayoutRow:
        return Row::arrange(*this, settings);
    case kLayoutColumn:
        return Vertical::arrange(*this, settings);
    case kLayoutFlow:
        return FlowH::arrange(*this, settings);
    case kLayoutPile:
        return Pile::arrange(*this, settings);
    default:
        return ContentSizes();  // an unknown type arranges nothing
    }
}

void Box::onFilesDropped(const std::vector<std::u16string>& paths)
{
    m_droppedFiles.clear();
    for (const std::u16string& path : paths)
        m_droppedFiles.add(path);
    notify(events::kBoxFilesDropped);
}

bool Box::onWheel(int32_t lines)
{
    if (listenerCount(events::kBoxWheel) == 0)
        return false;
    m_wheelLines = lines;
    notify(events::kBoxWheel);
    return true;
}

bool Box::onLeftButtonDown()
{
    const bool handled = listenerCount(events::kBoxLeftButtonDown) > 0;
    notify(events::kBoxLeftButtonDown);
    return handled;
}

void Box::onAddressDropped(std::u16string_view address)
{
    m_droppedAddress.assign(address);
    notify(events::kBoxAddressDropped);
}

void Box::setBorder(BorderStyle style, uint32_t colour)
{
    m_borderStyle = style;
    m_borderColour = colour;
    if (m_native)
        m_native->redraw();
}

}  // namespace s::gui::win
