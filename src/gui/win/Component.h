#pragma once
#include <cstdint>

#include "gui/IComponent.h"
#include "gui/IContainer.h"
#include "gui/INativeView.h"
#include "gui/LayoutTypes.h"
#include "gui/NativeKind.h"

namespace s::gui::win {

// The size record and native-window handling shared by every component,
// written once over the interface it implements (IComponent, ISpacer, IBox,
// ...) so that each concrete class has a single path to IComponent.
//
// Sizing follows the control rules: a fixed size wins, then a percentage of
// the parent's content area (integer, truncated), then the natural sizes
// the control measured from its content. Containers override the measures.
//
// The native window is reached only through INativeView. While the
// component is frozen (its parent's layout pass is under way) placements
// and sizings are only recorded; unfreeze() applies them in one native call.
//
// The member definitions are in Component.cpp, instantiated there for each
// interface of the toolkit.
template <class Interface>
class Component : public Interface {
public:
    void onEvent(s::base::IObject*, int32_t) override {}

    int32_t width() const override { return m_width; }
    void setWidth(int32_t w) override { this->setSize(w, m_height); }
    int32_t height() const override { return m_height; }
    void setHeight(int32_t h) override { this->setSize(m_width, h); }
    int32_t innerWidth() const override { return m_width; }
    void setInnerWidth(int32_t w) override { this->setWidth(w); }
    int32_t innerHeight() const override { return m_height; }
    void setInnerHeight(int32_t h) override { this->setHeight(h); }
    int32_t x() const override { return m_x; }
    int32_t y() const override { return m_y; }
    void setPosition(int32_t x, int32_t y) override;
    void setSize(int32_t w, int32_t h) override;
    void setBounds(int32_t x, int32_t y, int32_t w, int32_t h) override;
    int32_t offsetX() const override { return m_offsetX; }
    int32_t offsetY() const override { return m_offsetY; }
    void setOffset(int32_t ox, int32_t oy) override;
    void moveOffset(int32_t dx, int32_t dy) override { this->setOffset(m_offsetX + dx, m_offsetY + dy); }

    int32_t minWidth() const override;
    int32_t minHeight() const override;
    int32_t innerMinWidth() const override { return this->minWidth(); }
    int32_t innerMinHeight() const override { return this->minHeight(); }
    int32_t preferredWidth() const override;
    int32_t preferredHeight() const override;
    int32_t innerPreferredWidth() const override { return this->preferredWidth(); }
    int32_t innerPreferredHeight() const override { return this->preferredHeight(); }
    int32_t widthPercent() const override { return m_widthPercent; }
    int32_t heightPercent() const override { return m_heightPercent; }
    int32_t fixedWidth() const override { return m_fixedWidth; }
    int32_t fixedHeight() const override { return m_fixedHeight; }

    bool isVisible() const override { return m_visible && m_native; }
    void setVisible(bool visible, bool withChildren) override;
    bool isEnabled() const override;
    void setEnabled(bool enabled) override;

    IContainer* parent() const override { return m_parent; }
    void setParent(IContainer* parent) override;
    void addChild(IComponent*) override {}
    void removeChild(IComponent*, bool) override {}
    void removeAllChildren(bool) override {}
    bool isContainer() const override { return false; }

    void redrawArea(int32_t x, int32_t y, int32_t w, int32_t h) override;
    void redraw() override;
    void setLayoutSize(int32_t w, int32_t h) override;
    void relayout() override {}
    int32_t childCount() const override { return 0; }
    IComponent* child(int32_t) const override { return nullptr; }
    const IComponent::Children& children() const override;

    bool isFrozen() const override { return m_frozen; }
    void freeze() override { m_frozen = true; }
    void unfreeze() override;

    INativeView* nativeView() const override { return m_native; }
    void detachNative() override;

    bool isBoundsPending() const { return m_boundsPending; }
    int32_t naturalMinWidth() const { return m_naturalMinWidth; }
    int32_t naturalMinHeight() const { return m_naturalMinHeight; }
    int32_t naturalPrefWidth() const { return m_naturalPrefWidth; }
    int32_t naturalPrefHeight() const { return m_naturalPrefHeight; }

protected:
    Component() = default;
    // A component deleted by its pool without a reset still frees its window.
    ~Component() override
    {
        if (m_native)
            m_native->destroy();
    }

    // Back to the defaults of a new component; derived resets call it last,
    // after they have let go of their children.
    void resetComponent();
    // What the parent's native window is asked to make for this component.
    virtual NativeKind nativeKind() const = 0;
    // Runs once the native window exists, is placed and shown.
    virtual void onAttached() {}
    // Runs after every placement or sizing, frozen or not.
    virtual void boundsChanged() {}
    void attachTo(INativeView& parentView);

    // The percentage of the parent's content area, or kUnset when there is
    // no percentage or no parent to take it of: a component that is not in
    // a tree yet measures by its other limits.
    int32_t percentWidth() const;
    int32_t percentHeight() const;
    // A control's percentage truncates; a box rounds (it overrides this).
    virtual int32_t scalePercent(int32_t parentInner, int32_t percent) const;

    int32_t m_x = 0;
    int32_t m_y = 0;
    int32_t m_offsetX = 0;
    int32_t m_offsetY = 0;
    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_naturalMinWidth = 0;
    int32_t m_naturalMinHeight = 0;
    int32_t m_naturalPrefWidth = 0;
    int32_t m_naturalPrefHeight = 0;
    int32_t m_widthPercent = kUnset;
    int32_t m_heightPercent = kUnset;
    int32_t m_fixedWidth = kUnset;
    int32_t m_fixedHeight = kUnset;
    bool m_frozen = false;
    bool m_boundsPending = false;
    bool m_visible = true;
    bool m_enabled = true;
    IContainer* m_parent = nullptr;  // not owned: the parent owns this component
    INativeView* m_native = nullptr; // owned: given back with destroy()
};

// Clamps a length into [minimum, max(minimum, preferred)], the room a
// component accepts from its container.
int32_t clampToLimits(int32_t length, int32_t minimum, int32_t preferred);

}  // namespace s::gui::win
