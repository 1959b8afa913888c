#pragma once

namespace s::platform {

// A recursive lock: the thread that holds it may enter it again, as the
// framework's nested pool resets rely on.
class CriticalSection {
public:
    CriticalSection();
    ~CriticalSection();
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void enter();
    void leave();

private:
    // Room for the native lock object, so this header needs no system headers.
    alignas(16) unsigned char m_storage[64];
};

}  // namespace s::platform
