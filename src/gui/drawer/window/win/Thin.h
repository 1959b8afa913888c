#pragma once
#include <cstdint>

#include "gui/drawer/IWindow.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::window::win {

// A flat window: filled, framed by one pixel, with optional round corners.
class Thin : public s::gui::drawer::IWindow, public s::thread::PooledBy<Thin> {
public:
    Thin() { reset(); }

    const char16_t* className() const override { return u"s_gui_drawer_window_win_Thin"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    Region region(int32_t left, int32_t top, int32_t right, int32_t bottom) const override;

    int32_t topCorners() const { return m_topCorners; }
    void setTopCorners(int32_t kind) override { m_topCorners = kind; }
    int32_t bottomCorners() const { return m_bottomCorners; }
    void setBottomCorners(int32_t kind) override { m_bottomCorners = kind; }
    uint32_t fillColour() const { return m_fillColour; }
    // A window given a fill colour wants it painted.
    void setFillColour(uint32_t colour) override
    {
        m_fillColour = colour;
        m_transparent = false;
    }
    uint32_t frameColour() const { return m_frameColour; }
    void setFrameColour(uint32_t colour) override { m_frameColour = colour; }
    bool isTransparent() const { return m_transparent; }
    void setTransparent(bool transparent) override { m_transparent = transparent; }

private:
    void paintSmallCorners(ICanvas& canvas, int32_t left, int32_t top, int32_t w, int32_t h) const;
    void paintLargeCorners(ICanvas& canvas, int32_t left, int32_t top, int32_t w, int32_t h) const;

    int32_t m_topCorners = kCornersSquare;
    int32_t m_bottomCorners = kCornersSquare;
    bool m_transparent = false;
    uint32_t m_fillColour = 0;
    uint32_t m_frameColour = 0;
};

}  // namespace s::gui::drawer::window::win
