#include "app/win/AppBase.h"

namespace s::app::win {

// No COM, no command line of the class library's kind and no icons outside
// Windows: the portable core tests the rest.
void AppBase::initialisePlatform() {}

void AppBase::releasePlatform() {}

std::vector<std::u16string> AppBase::systemParameters() { return {}; }

void* AppBase::loadIcon(int32_t) { return nullptr; }

void AppBase::destroyIcon(void*) {}

}  // namespace s::app::win
