#include <windows.h>
#include <objbase.h>
#include <ole2.h>
#include <shellapi.h>

#include "app/win/AppBase.h"

namespace s::app::win {

void AppBase::initialisePlatform()
{
    // S_FALSE (already initialised on this thread) still needs its matching
    // uninitialise; a changed mode does not.
    m_comInitialised = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    m_oleInitialised = SUCCEEDED(OleInitialize(nullptr));
    // Process-wide and allowed once: a second context (tests) gets
    // RPC_E_TOO_LATE, which leaves the first set-up in force.
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                         EOAC_NONE, nullptr);
}

void AppBase::releasePlatform()
{
    if (m_oleInitialised)
        OleUninitialize();
    if (m_comInitialised)
        CoUninitialize();
    m_oleInitialised = m_comInitialised = false;
}

std::vector<std::u16string> AppBase::systemParameters()
{
    std::vector<std::u16string> parameters;
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments)
        return parameters;
    // The first is the program itself.
    for (int i = 1; i < count; ++i)
        parameters.emplace_back(reinterpret_cast<const char16_t*>(arguments[i]));
    LocalFree(arguments);
    return parameters;
}

void* AppBase::loadIcon(int32_t size)
{
    return LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconGroupId), IMAGE_ICON, size, size,
                      LR_DEFAULTCOLOR);
}

void AppBase::destroyIcon(void* icon) { DestroyIcon(static_cast<HICON>(icon)); }

}  // namespace s::app::win
