#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace s::gui::win::native {

// The full paths of a shell drop, in the shell's order. Each path is read
// whole, however long: its length is asked first and the buffer made to
// fit, so a deep path is never cut. Empty entries are left out. The drop
// itself stays the caller's to finish (DragFinish).
std::vector<std::u16string> readDroppedFiles(HDROP drop);

}  // namespace s::gui::win::native
