#include <windows.h>

#include "platform/WorkingSet.h"

namespace s::platform {

void trimWorkingSetNow() { SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1)); }

}  // namespace s::platform
