#pragma once
#include <cstdint>

namespace s::platform {

// A system thread running one routine. The framework's worker parks itself
// on a WakeEvent, so no suspend/resume of another thread is needed here.
class NativeThread {
public:
    using Routine = uint32_t (*)(void* argument);

    NativeThread() = default;
    ~NativeThread();
    NativeThread(const NativeThread&) = delete;
    NativeThread& operator=(const NativeThread&) = delete;

    bool create(Routine routine, void* argument);
    bool isCreated() const { return m_handle != nullptr; }
    // Waits up to timeoutMs for the thread to end; true when it has ended.
    bool waitEnded(uint32_t timeoutMs);
    // Closes our handle; a thread still running goes on detached.
    void close();
    uint32_t id() const { return m_id; }
    // -2..2 as the Windows priorities; POSIX threads keep the default.
    void setPriority(int32_t priority);
    int32_t priority() const;

private:
    void* m_handle = nullptr;  // owned native handle
    uint32_t m_id = 0;
};

uint32_t tickCount();
void sleepMs(uint32_t milliseconds);

}  // namespace s::platform
