#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gui/NativeKind.h"

namespace s::gui {

class IComponent;

// Extent of a text in a view's current font, in pixels.
struct TextExtent {
    int32_t width = 0;
    int32_t height = 0;
};

// The native window behind one component: the only way the portable toolkit
// touches the window system. The layout decides every rectangle; a view
// only carries it out. All calls come on the user-interface thread that owns
// the window (the one running its message loop).
//
// Coordinates are in pixels relative to the parent view's client area; the
// component has already added its offset (its parent's margin or inset).
//
// Lifetime: a view is made by createChild() on the parent's view when the
// component is attached to a parent that has a view, and belongs to that
// component until it calls destroy(), after which the component never
// touches it again. A top-level window's view is made by the window adapter
// and handed to s::gui::win::Window::attachNative().
//
// What a Win32 adapter does for each call is noted beside it; a test double
// just records the calls.
class INativeView {
public:
    virtual ~INativeView() = default;

    // Makes the native window of `owner` as a child of this view (Win32:
    // CreateWindowExW with WS_CHILD, this view's HWND as parent, the class
    // that `kind` names; the owner may be asked for its text and style). The
    // new view starts hidden at (0, 0) with size 0 x 0; the component places
    // and shows it right after. Returns null when the window could not be
    // made; the component then behaves as if it had no native window.
    virtual INativeView* createChild(IComponent& owner, NativeKind kind) = 0;
    // Destroys the native window and the view object itself. The owner's
    // children have already destroyed their views.
    virtual void destroy() = 0;

    // Moves the window keeping its size and z-order (SetWindowPos with
    // SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE).
    virtual void move(int32_t x, int32_t y) = 0;
    // Resizes it keeping its place and z-order (SWP_NOMOVE | SWP_NOZORDER |
    // SWP_NOACTIVATE). Sizes are never negative.
    virtual void resize(int32_t width, int32_t height) = 0;
    // Both at once (SWP_NOZORDER | SWP_NOACTIVATE).
    virtual void setBounds(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    // Shows or hides the window (ShowWindow SW_SHOWNA / SW_HIDE); for a
    // top-level window showing also activates it.
    virtual void show(bool visible) = 0;

    virtual bool isEnabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;

    // Invalidates the rectangle (or the whole window), erases and paints it
    // at once (RedrawWindow with RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW).
    virtual void redrawArea(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    virtual void redraw() = 0;

    // The window text (a title, caption or label text).
    virtual void setText(std::u16string_view text) = 0;
    // Extent of `text` in the view's current font (GetTextExtentPoint32W on a
    // DC with the view's font selected). An empty text still has the font's
    // line height.
    virtual TextExtent measureText(std::u16string_view text) const = 0;

    // --- Control state (Win32: the common control's own messages) ---
    // A view whose kind has no such state keeps the defaults below and
    // ignores the setters, so a test double only overrides what it checks.

    // The text the user sees or typed (GetWindowTextW): a number field's content.
    virtual std::u16string text() const { return {}; }
    // Check box state (BM_SETCHECK / BM_GETCHECK).
    virtual void setChecked(bool) {}
    virtual bool isChecked() const { return false; }
    // Combo box items and selection (CB_RESETCONTENT + CB_ADDSTRING,
    // CB_SETCURSEL, CB_GETCURSEL); -1 is no selection.
    virtual void setItems(const std::vector<std::u16string>&) {}
    virtual void selectItem(int32_t) {}
    virtual int32_t selectedItem() const { return -1; }
    // Slider (TBM_SETRANGEMIN/MAX, TBM_SETPOS, TBM_GETPOS) and progress bar
    // (PBM_SETRANGE32, PBM_SETPOS) range and position.
    virtual void setRange(int32_t, int32_t) {}
    virtual void setValue(int32_t) {}
    virtual int32_t value() const { return 0; }
    // Slider steps (TBM_SETTICFREQ unless hidden, TBM_SETLINESIZE, TBM_SETPAGESIZE).
    virtual void setSliderSteps(int32_t /*tickFrequency*/, bool /*ticksShown*/, int32_t /*lineStep*/,
                                int32_t /*pageStep*/) {}
    // Colours 0x00RRGGBB, or kDefaultColour for the system's: the text, the
    // background and a plain one-pixel border the view draws.
    static constexpr uint32_t kDefaultColour = 0xFF000000u;
    virtual void setColours(uint32_t /*text*/, uint32_t /*background*/, uint32_t /*border*/) {}
    // A font of its own instead of the dialog font (a label's): the dialog
    // font's face at `points` (0: its size), bold or underlined as asked.
    // measureText() measures with it from then on.
    virtual void setFontStyle(int32_t /*points*/, bool /*bold*/, bool /*underline*/) {}
};

}  // namespace s::gui
