#pragma once
#include <cstdint>

namespace s::platform {

// Asks the system to take back the pages the process is not using now
// (Windows: SetProcessWorkingSetSize with -1 for both limits), so the small
// tool's resident memory stays low while it waits in the background. The
// windows of the application show and hide on their own threads, so the
// request runs under one process-wide lock.
void trimWorkingSet();

// How often trimWorkingSet() has run in this process.
uint32_t workingSetTrims();

// The system side of trimWorkingSet(); the caller holds the lock.
void trimWorkingSetNow();

}  // namespace s::platform
