#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "gui/INativeView.h"
#include "gui/events/EventLists.h"
#include "gui/win/Component.h"

namespace s::lang {
class Localizer;
}

namespace s::gui::win {

// The portable part of every control (label, button, check box, combo box,
// slider, number field, progress bar, image): the natural sizes it measures
// from its content, the recorded limits, its text (optionally a language
// pack id that follows a change of language) and its colours. A concrete
// control adds its pool, class name, native kind and state.
//
// The state lives here, not only in the native window, so that it survives
// a re-attach and can be read off the user-interface thread's copy; the
// native window is told of every change. When the user changes a control,
// the adapter calls onNativeChange() on the window's thread; the control
// reads the new state from its view and tells its listeners, with itself as
// the source.
//
// The limit setters only record; the container's next pass uses them. A
// fixed size wins over a percentage, so setting a percentage leaves a fixed
// size in place.
class Control : public Component<IComponent> {
public:
    void setNaturalMinSize(int32_t w, int32_t h);
    void setNaturalPreferredSize(int32_t w, int32_t h);
    void setWidthPercent(int32_t percent) { m_widthPercent = percent; }
    void setHeightPercent(int32_t percent) { m_heightPercent = percent; }
    void setFixedWidth(int32_t width) { m_fixedWidth = width; }
    void setFixedHeight(int32_t height) { m_fixedHeight = height; }

    // A fixed text; forgets any text id.
    void setText(std::u16string_view text);
    // The text of `textId` in the localizer's current language, taken again
    // by updateLanguage() (the localizer is not owned).
    void setTextId(int32_t textId, s::lang::Localizer* localizer);
    const std::u16string& text() const { return m_text; }
    int32_t textId() const { return m_textId; }
    // Takes the text of the text id again (after a change of language) and
    // measures it; a control without a text id keeps its text.
    virtual void updateLanguage();

    // 0x00RRGGBB or INativeView::kDefaultColour.
    void setColours(uint32_t text, uint32_t background, uint32_t border);

    void addListener(int32_t type, events::IEventListener* listener) { m_events.add(type, listener); }
    void removeListener(int32_t type, events::IEventListener* listener) { m_events.remove(type, listener); }
    int32_t listenerCount(int32_t type) const { return m_events.count(type); }

    // --- Called by the native adapter on the window's thread ---
    // The user changed the control (clicked, chose, moved, typed).
    virtual void onNativeChange() {}

protected:
    Control() = default;
    NativeKind nativeKind() const override { return NativeKind::kCustom; }
    // Pushes text, colours and state into the new native window.
    void onAttached() override;
    // Pushes the control's own state (items, range, value, check) into the
    // native window; text and colours are pushed by the base.
    virtual void pushState() {}
    // Measures the natural size from the content (a label's text, a check
    // box's square and text, ...); a bare control keeps the natural sizes
    // it was given.
    virtual void measure();
    // Back to the control defaults; derived resets call it last.
    void resetControl();
    void notify(int32_t type) { m_events.notify(this, type); }

    std::u16string m_text;
    int32_t m_textId = 0;
    s::lang::Localizer* m_localizer = nullptr;
    uint32_t m_textColour = INativeView::kDefaultColour;
    uint32_t m_backgroundColour = INativeView::kDefaultColour;
    uint32_t m_borderColour = INativeView::kDefaultColour;
    events::EventLists m_events;
};

}  // namespace s::gui::win
