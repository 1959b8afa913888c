#include "gui/win/Control.h"

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

}  // namespace s::gui::win
