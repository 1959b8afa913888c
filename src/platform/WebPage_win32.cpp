#include <windows.h>
#include <shellapi.h>

#include "platform/WebPage.h"

namespace s::platform {

bool openWebPageWithSystem(const char16_t* address)
{
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t*>(address), nullptr,
                                           nullptr, SW_SHOWNORMAL);
    // Values above 32 mean success.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace s::platform
