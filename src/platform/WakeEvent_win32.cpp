#include "platform/WakeEvent.h"

#include <windows.h>

namespace s::platform {

struct WakeEvent::Native {
    HANDLE event;
};

WakeEvent::WakeEvent() : m_native(new Native{CreateEventW(nullptr, FALSE, FALSE, nullptr)}) {}

WakeEvent::~WakeEvent()
{
    if (m_native->event)
        CloseHandle(m_native->event);
    delete m_native;
}

void WakeEvent::signal() { SetEvent(m_native->event); }
void WakeEvent::wait() { WaitForSingleObject(m_native->event, INFINITE); }

}  // namespace s::platform
