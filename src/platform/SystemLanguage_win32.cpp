#include <windows.h>

#include "platform/SystemLanguage.h"

namespace s::platform {

uint16_t userDefaultUiLanguage() { return GetUserDefaultUILanguage(); }

bool isBeforeWindowsVista()
{
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExW(&version))
        return false;
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion < 6;
}

}  // namespace s::platform
