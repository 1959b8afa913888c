#pragma once
#include <windows.h>

#include <string_view>

#include "gui/INativeView.h"

namespace s::gui::win::native {

// The one font every control of the toolkit shows its text in: the system's
// message font, so the windows look like the system's own dialogs. Made on
// first use and kept for the life of the process (controls hold it).
HFONT guiFont();

// Extent of `text` in `font` on the screen's device context. An empty text
// still has the font's line height, so an empty label keeps a line of room.
TextExtent measureWith(HFONT font, std::u16string_view text);

}  // namespace s::gui::win::native
