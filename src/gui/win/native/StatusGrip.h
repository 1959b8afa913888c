#pragma once
#include <windows.h>

namespace s::gui::win::native {

// The grip at the bottom-right corner of a status bar: it draws the
// squares of a resize grip, shows the diagonal sizing cursor, and a press
// on it starts sizing the top-level window by its bottom-right corner.
class StatusGrip {
public:
    static constexpr const wchar_t* kClassName = L"s_gui_win_native_Grip";

    // A child of `statusBar`, above its siblings; null when it failed.
    static HWND create(HWND statusBar);
    // Keeps the grip in the corner of its status bar and above the sections.
    static void place(HWND grip);
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace s::gui::win::native
