#include <windows.h>

#include "platform/FileReplace.h"

namespace s::platform {

bool replaceFile(const char16_t* from, const char16_t* to)
{
    return MoveFileExW(reinterpret_cast<const wchar_t*>(from), reinterpret_cast<const wchar_t*>(to),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

}  // namespace s::platform
