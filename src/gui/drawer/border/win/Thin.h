#pragma once
#include <cstdint>

#include "gui/drawer/IBorder.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer::border::win {

// One-pixel edges, each a shade of the base colour so the rectangle looks
// raised, flat or sunken.
class Thin : public s::gui::drawer::IBorder, public s::thread::PooledBy<Thin> {
public:
    Thin() { reset(); }

    const char16_t* className() const override { return u"s_gui_drawer_border_win_Thin"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override { m_shaded = true; }

    void paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t type,
               int32_t cornerKind, uint32_t red, uint32_t green, uint32_t blue) override;

    bool isShaded() const { return m_shaded; }
    void setShaded(bool shaded) { m_shaded = shaded; }

private:
    // The base colour at a shade in percent, or unchanged when shading is off.
    uint32_t edgeColour(uint32_t base, uint32_t percent) const;
    void paintRaisedEnds(ICanvas& canvas, int32_t left, int32_t top, int32_t w, int32_t h, uint32_t base) const;

    bool m_shaded = true;
};

}  // namespace s::gui::drawer::border::win
