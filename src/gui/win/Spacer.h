#pragma once
#include "gui/ISpacer.h"
#include "gui/win/Component.h"
#include "thread/PooledBy.h"

namespace s::gui::win {

// An empty component that only takes room: 1 x 1 pixel when new. A spacer
// is meant for one axis: a vertical spacer in a row adds no width and a
// horizontal one in a column adds no height, whatever its fixed sizes.
class Spacer : public Component<ISpacer>, public s::thread::PooledBy<Spacer> {
public:
    static constexpr int32_t kNewSpacerSize = 1;

    Spacer() { reset(); }

    const char16_t* className() const override { return u"s_gui_win_Spacer"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    int32_t minWidth() const override;
    int32_t minHeight() const override;
    int32_t preferredWidth() const override;
    int32_t preferredHeight() const override;
    int32_t orientation() const override { return m_orientation; }

    // Each call exchanges the width and height limits, whatever the
    // orientation was: a spacer set up as horizontal turns into the same
    // spacer standing upright.
    void setHorizontalOrientation();
    void setVerticalOrientation();
    void setWidthPercent(int32_t percent);
    void setHeightPercent(int32_t percent);
    void setFixedWidth(int32_t width) { m_fixedWidth = width; }
    void setFixedHeight(int32_t height) { m_fixedHeight = height; }

protected:
    NativeKind nativeKind() const override { return NativeKind::kSpacer; }

private:
    bool flatAcross(int32_t layoutType, int32_t orientation) const;
    void exchangeAxes();

    int32_t m_orientation = kOrientationHorizontal;
};

}  // namespace s::gui::win
