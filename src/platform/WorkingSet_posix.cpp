#include "platform/WorkingSet.h"

namespace s::platform {

// The batch tool has no windows to wait behind; nothing to give back.
void trimWorkingSetNow() {}

}  // namespace s::platform
