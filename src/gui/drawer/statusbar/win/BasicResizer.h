#pragma once
#include <cstdint>

#include "base/IObject.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer {
class ICanvas;
}

namespace s::gui::drawer::statusbar::win {

// The grip at the bottom-right corner of a resizable window's status bar.
class BasicResizer : public s::base::IObject, public s::thread::PooledBy<BasicResizer> {
public:
    // The room the grip takes, square, at the corner.
    static constexpr int32_t kSize = 12;

    const char16_t* className() const override { return u"s_gui_drawer_statusbar_win_BasicResizer"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override {}

    // Six white squares, each with a square in the grip's shade one pixel up
    // and left over it, in a triangle at the bottom-right of the rectangle.
    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom) const;
};

}  // namespace s::gui::drawer::statusbar::win
