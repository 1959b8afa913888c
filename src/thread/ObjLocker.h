#pragma once
#include "base/IObject.h"
#include "platform/CriticalSection.h"

namespace s::base {
class IDestructor;
}

namespace s::thread {

// A critical section as an object. It may also own one object (heldObject)
// that is used only while the lock is held, such as a shared scratch buffer.
class ObjLocker : public s::base::IObject {
public:
    using Deleter = void (*)(void* object);

    ObjLocker() = default;
    ~ObjLocker() override;

    const char16_t* className() const override { return u"s_thread_ObjLocker"; }
    s::base::IObject* newInstance() const override { return new ObjLocker; }

    void enter() { m_criticalSection.enter(); }
    void leave() { m_criticalSection.leave(); }

    void* heldObject() const { return m_heldObject; }
    // Takes ownership of object; it is disposed of when the locker goes.
    void hold(void* object, Deleter deleter, s::base::IDestructor* disposer);

private:
    void* m_heldObject = nullptr;  // owned
    Deleter m_heldDeleter = nullptr;
    s::base::IDestructor* m_heldDisposer = nullptr;  // not owned
    s::platform::CriticalSection m_criticalSection;
};

// Holds a locker's critical section for one scope.
class Lock {
public:
    explicit Lock(ObjLocker& locker) : m_locker(locker) { m_locker.enter(); }
    ~Lock() { m_locker.leave(); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    ObjLocker& m_locker;
};

}  // namespace s::thread
