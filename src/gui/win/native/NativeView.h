#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "gui/INativeView.h"

namespace s::gui::win::native {

// Posted to a window of another thread instead of DestroyWindow, which
// refuses windows of other threads: the window's own thread destroys it.
constexpr UINT kDestroySelf = WM_APP + 2;

// Whether the calling thread is the one that made `window`.
bool ownsWindow(HWND window);
// Has the window's own thread destroy it and waits (at most 5 s) for that.
void askToDestroy(HWND window);

// A child window behind one component, over an HWND made on the window's
// user-interface thread. The view finds itself again from the handle (a
// window property), so the parent's window procedure can hand a control's
// notification to its view.
//
// The window system may destroy the HWND first (the top-level window closed
// and took its children along): the view then forgets the handle and every
// call becomes a no-op, so the portable tree can be released afterwards
// from any thread.
class NativeView : public INativeView {
public:
    ~NativeView() override;

    // The view of one of our windows, or null for any other window.
    static NativeView* fromHandle(HWND window);
    // What a window shows behind its children: a view's background, else
    // the system's face colour (a top-level window's client area).
    static COLORREF backgroundOf(HWND window);

    HWND handle() const { return m_window; }
    IComponent& owner() const { return m_owner; }
    NativeKind kind() const { return m_kind; }

    INativeView* createChild(IComponent& owner, NativeKind kind) override;
    void destroy() override;
    void move(int32_t x, int32_t y) override;
    void resize(int32_t width, int32_t height) override;
    void setBounds(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void show(bool visible) override;
    bool isEnabled() const override;
    void setEnabled(bool enabled) override;
    void redrawArea(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void redraw() override;
    void setText(std::u16string_view text) override;
    TextExtent measureText(std::u16string_view text) const override;
    std::u16string text() const override;
    void setColours(uint32_t text, uint32_t background, uint32_t border) override;

    // --- Called by the parent's window procedure for this view's window ---
    // A WM_COMMAND notification code, a WM_HSCROLL/WM_VSCROLL request.
    virtual void onCommand(WORD) {}
    virtual void onScroll(WORD) {}
    // WM_DRAWITEM for an owner-drawn control: true when it painted.
    virtual bool onDrawItem(const DRAWITEMSTRUCT&) { return false; }
    // WM_CTLCOLOR*: sets the DC's colours and returns the background brush,
    // or null to leave the control to the system's colours.
    HBRUSH controlColours(HDC dc);
    // The colour behind this view's children.
    virtual COLORREF backgroundColour() const;

    // The window is going away (WM_NCDESTROY): forget it.
    void forgetHandle();

protected:
    NativeView(IComponent& owner, NativeKind kind) : m_owner(owner), m_kind(kind) {}

    // Makes the window hidden at (0, 0, 0, 0) under `parent` and binds it to
    // this view; a system control class is subclassed so that the view hears
    // of its destruction and can draw its border. False when it failed.
    bool createWindow(HWND parent, const wchar_t* className, DWORD style, DWORD exStyle, bool systemClass);
    // Tells the owning control that the user changed it.
    void reportUserChange();
    // Labels and check boxes show their parent's background unless given one.
    virtual bool takesParentBackground() const { return false; }
    // Whether the mouse passes through to the window behind (HTTRANSPARENT).
    virtual bool isTransparentToMouse() const { return false; }
    // The background a control has by default when it is given a text colour only.
    virtual COLORREF defaultControlBackground() const;
    void paintBorder(HDC dc) const;
    bool hasBorder() const;

    static LRESULT CALLBACK controlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window = nullptr;
    IComponent& m_owner;  // not owned: the component owns this view
    const NativeKind m_kind;
    uint32_t m_textColour = kDefaultColour;
    uint32_t m_backgroundColour = kDefaultColour;
    uint32_t m_borderColour = kDefaultColour;

private:
    // Where this view last put its window (made at 0, 0 with no size).
    struct Placed {
        int32_t x = 0;
        int32_t y = 0;
        int32_t width = 0;
        int32_t height = 0;
    };

    void bind(HWND window);
    HBRUSH brushFor(COLORREF colour);

    HBRUSH m_brush = nullptr;  // owned, for m_brushColour
    COLORREF m_brushColour = 0;
    Placed m_placed;
};

}  // namespace s::gui::win::native
