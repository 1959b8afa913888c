#pragma once
#include <cstdint>
#include <string_view>

#include "base/IObject.h"
#include "thread/PooledBy.h"

namespace s::gui::win {
class Label;
class ProgressBar;
}  // namespace s::gui::win

namespace s::archive {

// Reports the progress of a long job on a status line and a progress bar.
// Ranges and positions are 64-bit because a job may count bytes; the bar
// itself takes 32-bit values, so a range above kLargestBarRange stays off
// the bar (the text still shows).
class CallBack : public s::base::IObject, public s::thread::PooledBy<CallBack> {
public:
    static constexpr int64_t kLargestBarRange = 16777215;

    CallBack() = default;

    const char16_t* className() const override { return u"s_archive_CallBack"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    // Neither is owned; either may be null.
    void attach(s::gui::win::Label* statusLabel, s::gui::win::ProgressBar* progressBar);

    // Replaces the status text at once.
    void setText(std::u16string_view text);
    void setRange(int64_t range);
    void setPosition(int64_t position);
    int64_t range() const { return m_range; }
    int64_t position() const { return m_position; }

private:
    bool barTakesRange() const { return m_range >= 0 && m_range <= kLargestBarRange; }

    s::gui::win::Label* m_statusLabel = nullptr;
    s::gui::win::ProgressBar* m_progressBar = nullptr;
    int64_t m_range = 0;
    int64_t m_position = 0;
};

}  // namespace s::archive
