#include "gui/win/native/DroppedFiles.h"

#include <shellapi.h>

#include <algorithm>

#include "gui/win/native/Win32Text.h"

namespace s::gui::win::native {

std::vector<std::u16string> readDroppedFiles(HDROP drop)
{
    std::vector<std::u16string> paths;
    if (!drop)
        return paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        if (length == 0)
            continue;
        std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
        const UINT copied = DragQueryFileW(drop, i, buffer.data(), length + 1);
        if (copied == 0)
            continue;
        paths.push_back(fromWide(buffer.data(), std::min(copied, length)));
    }
    return paths;
}

}  // namespace s::gui::win::native
