#pragma once
#include "gui/INativeView.h"

namespace s::gui::win::native {

// A spacer only takes room, so its view is no window at all: it remembers
// what it was told and measures in the toolkit's font.
class SpacerView : public INativeView {
public:
    INativeView* createChild(IComponent&, NativeKind) override { return nullptr; }
    void destroy() override { delete this; }
    void move(int32_t, int32_t) override {}
    void resize(int32_t, int32_t) override {}
    void setBounds(int32_t, int32_t, int32_t, int32_t) override {}
    void show(bool) override {}
    bool isEnabled() const override { return m_enabled; }
    void setEnabled(bool enabled) override { m_enabled = enabled; }
    void redrawArea(int32_t, int32_t, int32_t, int32_t) override {}
    void redraw() override {}
    void setText(std::u16string_view) override {}
    TextExtent measureText(std::u16string_view text) const override;

private:
    bool m_enabled = true;
};

}  // namespace s::gui::win::native
