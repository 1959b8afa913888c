#include "platform/CriticalSection.h"

#include <windows.h>

namespace s::platform {

static_assert(sizeof(CRITICAL_SECTION) <= 64, "native lock does not fit");

static CRITICAL_SECTION* native(unsigned char* storage)
{
    return reinterpret_cast<CRITICAL_SECTION*>(storage);
}

CriticalSection::CriticalSection() { InitializeCriticalSection(native(m_storage)); }
CriticalSection::~CriticalSection() { DeleteCriticalSection(native(m_storage)); }
void CriticalSection::enter() { EnterCriticalSection(native(m_storage)); }
void CriticalSection::leave() { LeaveCriticalSection(native(m_storage)); }

}  // namespace s::platform
