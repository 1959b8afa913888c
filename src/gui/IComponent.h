#pragma once
#include <cstdint>

#include "base/IObject.h"
#include "col/_array/ArrayP.h"
#include "gui/events/IEventListener.h"

namespace s::gui {

class IContainer;
class INativeView;

// Every control and container of the toolkit. The operations are those the
// layout uses: the size record (place, offset, size, limits), visibility,
// the tree, and the freeze protocol that keeps native moves to one per pass.
// Sizes are signed 32-bit pixels.
class IComponent : public events::IEventListener, public s::base::IObject {
public:
    using Children = s::col::_array::ArrayP<IComponent>;

    virtual int32_t width() const = 0;
    virtual void setWidth(int32_t w) = 0;
    virtual int32_t height() const = 0;
    virtual void setHeight(int32_t h) = 0;
    // Size of the content area (a box less its margins, a window's client area).
    virtual int32_t innerWidth() const = 0;
    virtual void setInnerWidth(int32_t w) = 0;
    virtual int32_t innerHeight() const = 0;
    virtual void setInnerHeight(int32_t h) = 0;
    // Position inside the parent's content area.
    virtual int32_t x() const = 0;
    virtual int32_t y() const = 0;
    virtual void setPosition(int32_t x, int32_t y) = 0;
    virtual void setSize(int32_t w, int32_t h) = 0;
    virtual void setBounds(int32_t x, int32_t y, int32_t w, int32_t h) = 0;
    // Where the parent's content area starts inside the parent's window.
    virtual int32_t offsetX() const = 0;
    virtual int32_t offsetY() const = 0;
    virtual void setOffset(int32_t ox, int32_t oy) = 0;
    virtual void moveOffset(int32_t dx, int32_t dy) = 0;

    virtual int32_t minWidth() const = 0;
    virtual int32_t minHeight() const = 0;
    virtual int32_t innerMinWidth() const = 0;
    virtual int32_t innerMinHeight() const = 0;
    virtual int32_t preferredWidth() const = 0;
    virtual int32_t preferredHeight() const = 0;
    virtual int32_t innerPreferredWidth() const = 0;
    virtual int32_t innerPreferredHeight() const = 0;
    // The raw limits behind them (kUnset when not given).
    virtual int32_t widthPercent() const = 0;
    virtual int32_t heightPercent() const = 0;
    virtual int32_t fixedWidth() const = 0;
    virtual int32_t fixedHeight() const = 0;

    // Shown, and a native window exists.
    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible, bool withChildren) = 0;
    virtual bool isEnabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;

    virtual IContainer* parent() const = 0;
    // Attaches the native window under the parent's (making it when the
    // parent has one), or with null detaches and destroys it.
    virtual void setParent(IContainer* parent) = 0;
    virtual void addChild(IComponent* child) = 0;
    virtual void removeChild(IComponent* child, bool recursive) = 0;
    virtual void removeAllChildren(bool recursive) = 0;
    virtual bool isContainer() const = 0;

    virtual void redrawArea(int32_t x, int32_t y, int32_t w, int32_t h) = 0;
    virtual void redraw() = 0;
    // Clamps (w, h) into the component's own limits, takes that size and,
    // for a container, lays its children out in it.
    virtual void setLayoutSize(int32_t w, int32_t h) = 0;
    virtual void relayout() = 0;
    virtual int32_t childCount() const = 0;
    virtual IComponent* child(int32_t index) const = 0;
    virtual const Children& children() const = 0;

    virtual bool isFrozen() const = 0;
    virtual void freeze() = 0;
    virtual void unfreeze() = 0;

    // The component's native window, or null before it is attached.
    virtual INativeView* nativeView() const = 0;
    // Destroys the native window (a container's children's first) but keeps
    // the component's place in the tree; attaching again makes a new one.
    virtual void detachNative() = 0;
};

}  // namespace s::gui
