#include "gui/win/Control.h"

#include <algorithm>

#include "lang/Localizer.h"

namespace s::gui::win {

void Control::setNaturalMinSize(int32_t w, int32_t h)
{
    m_naturalMinWidth = w;
    m_naturalMinHeight = h;
}

void Control::setNaturalPreferredSize(int32_t w, int32_t h)
{
    m_naturalPrefWidth = w;
    m_naturalPrefHeight = h;
}

void Control::setText(std::u16string_view text)
{
    m_textId = 0;
    m_localizer = nullptr;
    m_text.assign(text.data(), text.size());
    if (m_native)
        m_native->setText(m_text);
    measure();
}

void Control::setTextId(int32_t textId, s::lang::Localizer* localizer)
{
    m_textId = textId;
    m_localizer = localizer;
    updateLanguage();
}

void Control::updateLanguage()
{
    if (m_textId == 0 || !m_localizer)
        return;
    m_text = m_localizer->text(m_textId);
    if (m_native)
        m_native->setText(m_text);
    measure();
}

void Control::setColours(uint32_t text, uint32_t background, uint32_t border)
{
    m_textColour = text;
    m_backgroundColour = background;
    m_borderColour = border;
    if (m_native)
        m_native->setColours(m_textColour, m_backgroundColour, m_borderColour);
}

void Control::onAttached()
{
    m_native->setText(m_text);
    m_native->setColours(m_textColour, m_backgroundColour, m_borderColour);
    pushState();
    measure();
}

void Control::measure() {}

void Control::resetControl()
{
    m_events.clear();
    m_text.clear();
    m_textId = 0;
    m_localizer = nullptr;
    m_textColour = INativeView::kDefaultColour;
    m_backgroundColour = INativeView::kDefaultColour;
    m_borderColour = INativeView::kDefaultColour;
    resetComponent();
}

}  // namespace s::gui::win
