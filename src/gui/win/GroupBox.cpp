#include "gui/win/GroupBox.h"

#include <algorithm>

#include "gui/events/EventTypes.h"
#include "gui/layout/Pile.h"
#include "gui/win/Box.h"

namespace s::gui::win {

void GroupBox::reset()
{
    resetContainer();
    m_title.clear();
    m_frameColour = kDefaultFrameColour;
    m_titleWidth = 0;
    m_titleHeight = 0;
    setInsets(m_titleHeight + kGroupBoxTitleGapBelow);
}

int32_t GroupBox::minWidth() const
{
    if (isSet(m_fixedWidth))
        return m_fixedWidth;
    // The frame must also show the whole title beside its corners.
    return std::max(m_marginLeft + m_marginRight + m_content.minWidth, m_titleWidth + kGroupBoxTitleSlack);
}

int32_t GroupBox::minHeight() const
{
    if (isSet(m_fixedHeight))
        return m_fixedHeight;
    return m_marginTop + m_marginBottom + m_content.minHeight;
}

void GroupBox::addChild(IComponent* child)
{
    if (auto* box = dynamic_cast<Box*>(child))
        box->addListener(events::kBoxFilesDropped, this);
    Container<IGroupBox>::addChild(child);
}

void GroupBox::onEvent(s::base::IObject* source, int32_t type)
{
    if (type == events::kBoxFilesDropped && source == contentBox())
        notify(events::kBoxFilesDropped);
}

void GroupBox::setTitle(std::u16string_view title)
{
    m_title.assign(title);
    if (m_native)
        m_native->setText(m_title);
    measureTitle();
}

Box* GroupBox::contentBox() const
{
    for (int32_t i = 0; i < m_children.count(); ++i) {
        if (auto* box = dynamic_cast<Box*>(m_children.at(i)))
            return box;
    }
    return nullptr;
}

const s::str::strarray::StrArray* GroupBox::droppedFiles() const
{
    const Box* box = contentBox();
    return box ? &box->droppedFiles() : nullptr;
}

GroupBox::ContentSizes GroupBox::arrange()
{
    return s::gui::layout::Pile::arrange(*this, s::gui::layout::ArrangeSettings());
}

void GroupBox::onAttached()
{
    m_native->setText(m_title);
    measureTitle();
    Container<IGroupBox>::onAttached();
}

int32_t GroupBox::scalePercent(int32_t parentInner, int32_t percent) const
{
    return Component<IGroupBox>::scalePercent(parentInner, percent);
}

void GroupBox::measureTitle()
{
    // Only the native window knows the font.
    if (!m_native)
        return;
    const TextExtent extent = m_native->measureText(m_title);
    m_titleWidth = std::max(m_titleWidth, extent.width);
    m_titleHeight = std::max(m_titleHeight, extent.height);
    const int32_t top = m_titleHeight + kGroupBoxTitleGapBelow;
    if (top == m_marginTop)
        return;
    setInsets(top);
    applyMarginOffsets();
    doLayout();
}

void GroupBox::setInsets(int32_t top)
{
    m_marginLeft = kGroupBoxSideInset;
    m_marginRight = kGroupBoxSideInset;
    m_marginBottom = kGroupBoxBottomInset;
    m_marginTop = top;
}

void GroupBox::setFrameColour(uint32_t colour)
{
    m_frameColour = colour;
    if (m_native)
        m_native->redraw();
}

}  // namespace s::gui::win
