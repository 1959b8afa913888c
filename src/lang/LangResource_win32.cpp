#include <windows.h>

#include "lang/LangResource.h"

namespace s::lang {

std::string_view LangResource::packBytesOf(void* module)
{
    HMODULE owner = module ? static_cast<HMODULE>(module) : GetModuleHandleW(nullptr);
    // A loaded resource stays mapped as long as its module; nothing to free.
    HRSRC found = FindResourceW(owner, MAKEINTRESOURCEW(kResourceId), L"IDR_XML");
    HGLOBAL loaded = found ? LoadResource(owner, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = found ? SizeofResource(owner, found) : 0;
    if (!bytes || size == 0)
        return compiledInBytes();
    return std::string_view(static_cast<const char*>(bytes), size);
}

}  // namespace s::lang
