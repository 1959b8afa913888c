#pragma once
#include <cstdint>

namespace s::platform {

// An auto-reset event: signal() is remembered until one wait() consumes it,
// so a wake-up sent just before the waiter starts waiting is never lost.
class WakeEvent {
public:
    WakeEvent();
    ~WakeEvent();
    WakeEvent(const WakeEvent&) = delete;
    WakeEvent& operator=(const WakeEvent&) = delete;

    void signal();
    void wait();

private:
    struct Native;
    Native* m_native;  // owned
};

}  // namespace s::platform
