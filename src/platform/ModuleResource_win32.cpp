#include <windows.h>

#include <vector>

#include "platform/ModuleResource.h"

namespace s::platform {

std::u16string ModuleResource::executablePath()
{
    // Long paths may need more than MAX_PATH; grow until the name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (int attempt = 0; attempt < 6; ++attempt) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), length);
        buffer.resize(buffer.size() * 2);
    }
    return {};
}

std::string_view ModuleResource::bytes(int id, const char16_t* type)
{
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(id), reinterpret_cast<const wchar_t*>(type));
    HGLOBAL loaded = found ? LoadResource(self, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = found ? SizeofResource(self, found) : 0;
    if (!data || size == 0)
        return {};
    return std::string_view(static_cast<const char*>(data), size);
}

}  // namespace s::platform
