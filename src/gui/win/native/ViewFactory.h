#pragma once
#include <windows.h>

#include "gui/INativeView.h"

namespace s::gui::win::native {

// Makes the view of `kind` for `owner` as a child of `parent` (null when the
// window could not be made). Shared by child views and the top-level view.
INativeView* makeChildView(IComponent& owner, NativeKind kind, HWND parent);

// The window classes and common controls the views need, once per process.
void registerWindowClasses();

}  // namespace s::gui::win::native
