#pragma once
#include "gui/IContainer.h"
#include "gui/win/Container.h"
#include "thread/PooledBy.h"

namespace s::gui::win {

// The status bar at the foot of a window: its sections are boxes piled at
// its origin (each a row that fills the bar), so the sections themselves
// decide what shows where.
class StatusBar : public Container<IContainer>, public s::thread::PooledBy<StatusBar> {
public:
    StatusBar() = default;
    ~StatusBar() override { resetContainer(); }

    const char16_t* className() const override { return u"s_gui_win_StatusBar"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override { resetContainer(); }

protected:
    NativeKind nativeKind() const override { return NativeKind::kStatusBar; }
    ContentSizes arrange() override;
};

}  // namespace s::gui::win
