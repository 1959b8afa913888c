#pragma once
#include <cstdint>

#include "gui/drawer/IStatusBar.h"
#include "gui/drawer/statusbar/win/BasicResizer.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::statusbar::win {

// The status bar of an unskinned window: on systems before version 6 a
// gradient like the system's own bars, and optionally the resize grip.
class Basic : public s::gui::drawer::IStatusBar, public s::thread::PooledBy<Basic> {
public:
    static constexpr int32_t kPreferredHeight = 23;
    // From this major version on, the system draws flat bars: no gradient.
    static constexpr uint32_t kFlatFromMajorVersion = 6;

    Basic() { reset(); }

    const char16_t* className() const override { return u"s_gui_drawer_statusbar_win_Basic"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom) override;

    int32_t preferredHeight() const { return kPreferredHeight; }
    bool hasGrip() const { return m_grip; }
    void setGrip(bool on) { m_grip = on; }
    bool hasGradient() const { return m_gradient; }
    void setGradient(bool on) { m_gradient = on; }
    // The system's major version; after a reset the running system's.
    uint32_t majorVersion() const { return m_majorVersion; }
    void setMajorVersion(uint32_t major) { m_majorVersion = major; }

private:
    void paintGradient(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom) const;
    void paintShadedEnds(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t height) const;

    bool m_grip = false;
    bool m_gradient = false;
    uint32_t m_majorVersion = 0;
    BasicResizer m_resizer;
};

}  // namespace s::gui::drawer::statusbar::win
