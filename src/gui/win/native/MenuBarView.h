#pragma once
#include <windows.h>

#include "gui/win/MenuEx.h"
#include "gui/win/native/MenuDrawer.h"
#include "gui/win/native/NativeView.h"

namespace s::gui::win::native {

// The window of a menu bar (s::gui::win::MenuEx): draws the entries through
// the menu drawer, hands presses and the mouse position to the bar, and
// shows its pop-ups as native pop-up menus owned by this window, so the
// chosen command comes back here as WM_COMMAND.
class MenuBarView : public NativeView, public MenuEx::PopupView {
public:
    static constexpr const wchar_t* kClassName = L"s_gui_win_native_MenuBar";
    // The timer that watches the mouse while a pop-up is open.
    static constexpr UINT_PTR kPollTimer = 1;

    explicit MenuBarView(MenuEx& owner) : NativeView(owner, NativeKind::kMenuBar), m_bar(owner) {}
    bool create(HWND parent);

    // --- MenuEx::PopupView ---
    void showPopup(const PopupMenu& menu, int32_t x, int32_t y) override;
    void closePopup() override;

    // The bar drawn into `dc` at its client size (WM_PAINT and WM_PRINTCLIENT).
    void paintInto(HDC dc);

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void paint();
    void pollMouse();
    // The press and release the bar does not take belong to the window's body.
    LRESULT forwardToTopLevel(UINT message, WPARAM wParam, LPARAM lParam);

    MenuEx& m_bar;
    drawers::MenuDrawer m_drawer;
};

}  // namespace s::gui::win::native
