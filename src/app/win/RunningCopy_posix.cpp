#include <unistd.h>

#include "app/win/RunningCopy.h"
#include "platform/ModuleResource.h"

namespace s::app::win {

// Single-instance start-up is the Windows program's; the native build never
// sees another copy.
std::vector<RunningCopy::Process> RunningCopy::snapshot() { return {}; }

uint32_t RunningCopy::ownProcessId() { return static_cast<uint32_t>(getpid()); }

std::u16string RunningCopy::ownExecutablePath() { return s::platform::ModuleResource::executablePath(); }

void* RunningCopy::findWindow(uint32_t, std::u16string_view) { return nullptr; }

bool RunningCopy::wake(void*) { return false; }

}  // namespace s::app::win
