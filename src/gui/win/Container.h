#pragma once
#include <cstdint>

#include "gui/events/EventLists.h"
#include "gui/layout/ContentSizes.h"
#include "gui/win/Component.h"

namespace s::gui::win {

// What every container shares: the ordered children (owned: they go back to
// their pools when removed), the content area inside the margins (a group
// box keeps its frame insets there), the layout pass with its nesting guard,
// the freeze protocol over the subtree, and the listener lists.
//
// A container does its layout work only once it has a native window: before
// that, adding children only appends them and the size setters only record.
// When the container is attached, it attaches its children and lays them out.
template <class Interface>
class Container : public Component<Interface> {
public:
    using ContentSizes = s::gui::layout::ContentSizes;

    int32_t innerWidth() const override;
    void setInnerWidth(int32_t w) override;
    int32_t innerHeight() const override;
    void setInnerHeight(int32_t h) override;
    int32_t minWidth() const override;
    int32_t minHeight() const override;
    int32_t innerMinWidth() const override;
    int32_t innerMinHeight() const override;
    int32_t preferredWidth() const override;
    int32_t preferredHeight() const override;
    int32_t innerPreferredWidth() const override;
    int32_t innerPreferredHeight() const override;

    void setVisible(bool visible, bool withChildren) override;
    void addChild(IComponent* child) override;
    void removeChild(IComponent* child, bool recursive) override;
    void removeAllChildren(bool recursive) override;
    bool isContainer() const override { return true; }
    void relayout() override { this->doLayout(); }
    int32_t childCount() const override { return m_children.count(); }
    IComponent* child(int32_t index) const override;
    const IComponent::Children& children() const override { return m_children; }
    void freeze() override;
    void unfreeze() override;
    void detachNative() override;

    // The layout pass: the arrangement (or the custom manager), then the
    // layout listeners. At most one pass may run inside another.
    void doLayout() override;
    ILayoutManager* layoutManager() const override;
    void setLayoutManager(ILayoutManager* manager) { m_customManager = manager; }

    // Percentages and fixed sizes: recorded, then (once attached) a pass
    // here and, when asked, in the parent.
    void fillParent();
    void setWidthPercent(int32_t percent, bool relayoutParent);
    void setHeightPercent(int32_t percent, bool relayoutParent);
    void setFixedWidth(int32_t width, bool relayoutParent);
    void setFixedHeight(int32_t height, bool relayoutParent);

    // Listener lists by event type (EventTypes.h, the box's types).
    void addListener(int32_t type, events::IEventListener* listener) { m_events.add(type, listener); }
    void removeListener(int32_t type, events::IEventListener* listener) { m_events.remove(type, listener); }
    int32_t listenerCount(int32_t type) const { return m_events.count(type); }

    int32_t marginLeft() const { return m_marginLeft; }
    int32_t marginRight() const { return m_marginRight; }
    int32_t marginTop() const { return m_marginTop; }
    int32_t marginBottom() const { return m_marginBottom; }
    const ContentSizes& contentSizes() const { return m_content; }
    bool isLayoutSuspended() const { return m_layoutSuspended; }
    int32_t layoutDepth() const { return m_layoutDepth; }

protected:
    Container() = default;

    void resetContainer();
    // The built-in arrangement over the content area.
    virtual ContentSizes arrange() = 0;
    // How often the parent is laid out again after this container changed:
    // twice for a flow, whose height depends on the width it then gets.
    virtual int32_t parentRelayouts() const { return 1; }
    void relayoutParent();
    void onAttached() override;
    void boundsChanged() override;
    int32_t scalePercent(int32_t parentInner, int32_t percent) const override;
    // Children sit inside the margins; with no margins they keep offset 0.
    void applyMarginOffset(IComponent& child);
    void applyMarginOffsets();
    void notify(int32_t type) { m_events.notify(this, type); }

    IComponent::Children m_children;  // owned, released to their pools
    int32_t m_marginLeft = 0;
    int32_t m_marginRight = 0;
    int32_t m_marginTop = 0;
    int32_t m_marginBottom = 0;
    ContentSizes m_content;
    ILayoutManager* m_customManager = nullptr;  // not owned
    bool m_layoutSuspended = false;
    int32_t m_layoutDepth = 0;
    events::EventLists m_events;
};

}  // namespace s::gui::win
