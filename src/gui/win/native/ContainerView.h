#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gui/win/native/NativeView.h"

namespace s::gui::win {
class Picture;
}

namespace s::gui::win::native {

// The adapter's own child window for everything that is not a system
// control: boxes, group boxes, the status bar, the menu bar placeholder,
// images and custom components. It paints its background (and a group
// box's frame and title, a status bar's grip), takes drops on boxes and
// group boxes, and passes its controls' notifications to their views.
// Mouse presses that nothing on the box takes go on to the top-level
// window, whose body the user means: the boxes cover its client area.
class ContainerView : public NativeView {
public:
    // What a box draws along its edge besides its background.
    enum class Border { kNone, kPlain, kUnderWindowMenu };

    ContainerView(IComponent& owner, NativeKind kind) : NativeView(owner, kind) {}
    bool create(HWND parent);

    INativeView* createChild(IComponent& owner, NativeKind kind) override;
    void setText(std::u16string_view text) override;
    void setColours(uint32_t text, uint32_t background, uint32_t border) override;
    COLORREF backgroundColour() const override;

    // A border of the main window's own drawers (not reachable through the
    // portable side yet).
    void setBorder(Border border, COLORREF colour);

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void paint();
    // A picture scaled to the view, or an icon drawn at its size.
    static void paintPicture(HDC dc, const Picture& picture, const RECT& client);
    void paintBackground(HDC dc);
    void paintDecoration(HDC dc);
    // Hands the paths to the box (a group box: its content box) and its listeners.
    void deliverDrop(const std::vector<std::u16string>& paths);
    bool onLeftButtonDown();
    bool onWheel(int32_t delta);
    void placeGrip();

    Border m_border = Border::kNone;
    COLORREF m_borderColourRef = 0;
    HWND m_grip = nullptr;  // a status bar's grip, a child window destroyed with this one
};

}  // namespace s::gui::win::native
