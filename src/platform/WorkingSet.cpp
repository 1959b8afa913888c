#include "platform/WorkingSet.h"

#include <atomic>

#include "platform/CriticalSection.h"

namespace s::platform {

namespace {

CriticalSection& trimLock()
{
    static CriticalSection lock;
    return lock;
}

std::atomic<uint32_t> g_trims{0};

}  // namespace

void trimWorkingSet()
{
    CriticalSection& lock = trimLock();
    lock.enter();
    trimWorkingSetNow();
    ++g_trims;
    lock.leave();
}

uint32_t workingSetTrims() { return g_trims.load(); }

}  // namespace s::platform
