#include <windows.h>

#include "platform/SystemVersion.h"

namespace s::platform {

namespace {

SystemVersion askSystem()
{
    SystemVersion version;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    // The reported version (manifest-dependent on later systems) is the one
    // the support check is about.
    if (!GetVersionExW(&info))
        return version;
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    version.isNt = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    return version;
}

}  // namespace

const SystemVersion& systemVersion()
{
    static const SystemVersion version = askSystem();
    return version;
}

}  // namespace s::platform
