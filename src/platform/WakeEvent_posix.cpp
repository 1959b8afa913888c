#include "platform/WakeEvent.h"

#include <condition_variable>
#include <mutex>

namespace s::platform {

struct WakeEvent::Native {
    std::mutex mutex;
    std::condition_variable signalled;
    bool set = false;
};

WakeEvent::WakeEvent() : m_native(new Native) {}
WakeEvent::~WakeEvent() { delete m_native; }

void WakeEvent::signal()
{
    {
        std::lock_guard<std::mutex> guard(m_native->mutex);
        m_native->set = true;
    }
    m_native->signalled.notify_one();
}

void WakeEvent::wait()
{
    std::unique_lock<std::mutex> guard(m_native->mutex);
    m_native->signalled.wait(guard, [this] { return m_native->set; });
    m_native->set = false;
}

}  // namespace s::platform
