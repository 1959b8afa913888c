#pragma once
#include <windows.h>

namespace s::gui::win::native {

// What a parent window hears from its child controls, handled the same way
// in every window procedure of the adapter, because a control reports to
// whichever box holds it: a notification (WM_COMMAND, WM_HSCROLL,
// WM_VSCROLL) goes to the child's view, which tells its control;
// WM_CTLCOLOR* asks the child's view for its colours. True
// when the message was one of these and was handled; `result` is then the
// procedure's answer.
bool handleChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace s::gui::win::native
