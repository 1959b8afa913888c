#include <windows.h>

#include "platform/Environment.h"

namespace s::platform {

std::u16string expandEnvironment(std::u16string_view text)
{
    const std::wstring source(reinterpret_cast<const wchar_t*>(text.data()), text.size());
    std::wstring expanded(520, L'\0');
    // The first call reports the size needed when 520 characters were too few.
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD needed = ExpandEnvironmentStringsW(source.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
        if (needed == 0)
            return std::u16string(text);
        if (needed <= expanded.size()) {
            expanded.resize(needed - 1);  // without the NUL
            return std::u16string(reinterpret_cast<const char16_t*>(expanded.data()), expanded.size());
        }
        expanded.assign(needed, L'\0');
    }
    return std::u16string(text);
}

}  // namespace s::platform
