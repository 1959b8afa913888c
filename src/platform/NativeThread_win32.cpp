#include "platform/NativeThread.h"

#include <windows.h>

namespace s::platform {

namespace {
struct StartBlock {
    NativeThread::Routine routine;
    void* argument;
};

DWORD WINAPI trampoline(LPVOID raw)
{
    StartBlock block = *static_cast<StartBlock*>(raw);
    delete static_cast<StartBlock*>(raw);
    return block.routine(block.argument);
}
}  // namespace

NativeThread::~NativeThread() { close(); }

bool NativeThread::create(Routine routine, void* argument)
{
    auto* block = new StartBlock{routine, argument};
    DWORD id = 0;
    HANDLE handle = CreateThread(nullptr, 0, trampoline, block, 0, &id);
    if (!handle) {
        delete block;
        return false;
    }
    m_handle = handle;
    m_id = id;
    return true;
}

bool NativeThread::waitEnded(uint32_t timeoutMs)
{
    if (!m_handle)
        return true;
    return WaitForSingleObject(static_cast<HANDLE>(m_handle), timeoutMs) == WAIT_OBJECT_0;
}

void NativeThread::close()
{
    if (m_handle)
        CloseHandle(static_cast<HANDLE>(m_handle));
    m_handle = nullptr;
    m_id = 0;
}

void NativeThread::setPriority(int32_t priority)
{
    if (m_handle)
        SetThreadPriority(static_cast<HANDLE>(m_handle), priority);
}

int32_t NativeThread::priority() const
{
    return m_handle ? GetThreadPriority(static_cast<HANDLE>(m_handle)) : 0;
}

uint32_t tickCount() { return GetTickCount(); }
void sleepMs(uint32_t milliseconds) { Sleep(milliseconds); }

}  // namespace s::platform
