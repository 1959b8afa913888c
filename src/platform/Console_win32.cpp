#include <windows.h>
#include <shellapi.h>
#include <io.h>
#include <cstdio>

#include "platform/Console.h"

namespace s::platform {

std::vector<std::u16string> commandLineArguments(int, char**)
{
    std::vector<std::u16string> arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide)
        return arguments;
    for (int i = 1; i < count; ++i)
        arguments.emplace_back(reinterpret_cast<const char16_t*>(wide[i]));
    LocalFree(wide);
    return arguments;
}

void prepareConsole() { SetConsoleOutputCP(CP_UTF8); }

bool stdoutIsTerminal()
{
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}

std::u16string absolutePath(const std::u16string& path)
{
    const auto* in = reinterpret_cast<const wchar_t*>(path.c_str());
    const DWORD needed = GetFullPathNameW(in, 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::wstring full(needed, L'\0');
    const DWORD written = GetFullPathNameW(in, needed, full.data(), nullptr);
    if (written == 0 || written >= needed)
        return path;
    full.resize(written);
    return std::u16string(reinterpret_cast<const char16_t*>(full.c_str()), full.size());
}

}  // namespace s::platform
