#include "archive/CallBack.h"

#include <algorithm>

#include "gui/win/Controls.h"

namespace s::archive {

void CallBack::reset()
{
    m_statusLabel = nullptr;
    m_progressBar = nullptr;
    m_range = 0;
    m_position = 0;
}

void CallBack::attach(s::gui::win::Label* statusLabel, s::gui::win::ProgressBar* progressBar)
{
    m_statusLabel = statusLabel;
    m_progressBar = progressBar;
}

void CallBack::setText(std::u16string_view text)
{
    if (m_statusLabel)
        m_statusLabel->setText(text);
}

void CallBack::setRange(int64_t range)
{
    m_range = range;
    if (m_progressBar && barTakesRange())
        m_progressBar->setRange(static_cast<int32_t>(m_range));
}

void CallBack::setPosition(int64_t position)
{
    m_position = position;
    if (m_progressBar && barTakesRange())
        m_progressBar->setProgress(static_cast<int32_t>(std::clamp<int64_t>(m_position, 0, m_range)));
}

}  // namespace s::archive
