#include <windows.h>
#include <tlhelp32.h>

#include "app/win/RunningCopy.h"

namespace s::app::win {

namespace {

// The process's executable in the same form for every process (the form of
// GetModuleFileNameW may differ from another process's image name).
std::u16string imagePathOf(HANDLE process)
{
    wchar_t buffer[MAX_PATH * 4];
    DWORD length = static_cast<DWORD>(sizeof buffer / sizeof buffer[0]);
    if (!QueryFullProcessImageNameW(process, 0, buffer, &length))
        return {};
    return std::u16string(reinterpret_cast<const char16_t*>(buffer), length);
}

std::u16string imagePathOfId(DWORD id)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!process)
        return {};
    std::u16string path = imagePathOf(process);
    CloseHandle(process);
    return path;
}

struct WindowSearch {
    DWORD processId = 0;
    std::u16string_view prefix;
    HWND found = nullptr;
};

BOOL CALLBACK considerWindow(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId)
        return TRUE;
    wchar_t title[512];
    const int length = GetWindowTextW(window, title, static_cast<int>(sizeof title / sizeof title[0]));
    const std::u16string_view text(reinterpret_cast<const char16_t*>(title), length > 0 ? length : 0);
    if (!RunningCopy::startsWithIgnoreCase(text, search->prefix))
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

std::vector<RunningCopy::Process> RunningCopy::snapshot()
{
    std::vector<Process> processes;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE)
        return processes;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snap, &entry); more; more = Process32NextW(snap, &entry)) {
        // The entry names the file only; the full path is asked of the process.
        processes.push_back(Process{entry.th32ProcessID, imagePathOfId(entry.th32ProcessID)});
    }
    CloseHandle(snap);
    return processes;
}

uint32_t RunningCopy::ownProcessId() { return GetCurrentProcessId(); }

std::u16string RunningCopy::ownExecutablePath() { return imagePathOf(GetCurrentProcess()); }

void* RunningCopy::findWindow(uint32_t processId, std::u16string_view titlePrefix)
{
    if (HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId)) {
        WaitForInputIdle(process, kIdleWaitMs);
        CloseHandle(process);
    }
    WindowSearch search;
    search.processId = processId;
    search.prefix = titlePrefix;
    EnumWindows(&considerWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool RunningCopy::wake(void* window)
{
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(static_cast<HWND>(window), kWakeUpMessage, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                               &answer) != 0;
}

}  // namespace s::app::win
