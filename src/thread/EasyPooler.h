#pragma once
#include <cstdint>
#include <vector>

#include "base/IDestructor.h"
#include "base/IGenerator.h"
#include "base/IObject.h"
#include "thread/ObjLocker.h"

namespace s::thread {

// Capacities of the framework's pools.
constexpr uint32_t kPoolCapacity = 1000;        // ordinary classes
constexpr uint32_t kPoolNeverKeep = 0;          // windows, fonts, drawing surfaces
constexpr uint32_t kPoolRecordCapacity = 10000; // small plain records

// The per-class object pool: idle objects are kept (already reset) up to
// `capacity` and handed out last in, first out.
class EasyPooler : public s::base::IObject, public s::base::IGenerator, public s::base::IDestructor {
public:
    using CreateFn = s::base::IObject* (*)();
    using DestroyFn = void (*)(s::base::IObject*);
    using ResetFn = void (*)(s::base::IObject*);

    EasyPooler(uint32_t capacity, CreateFn createFn, DestroyFn destroyFn, ResetFn resetFn);
    ~EasyPooler() override;
    EasyPooler(const EasyPooler&) = delete;
    EasyPooler& operator=(const EasyPooler&) = delete;

    const char16_t* className() const override { return u"s_thread_EasyPooler"; }
    // A new, separate pool with the same parameters; the caller deletes it.
    s::base::IObject* newInstance() const override;

    s::base::IObject* get();
    void put(s::base::IObject* object);
    s::base::IObject* generate() override { return get(); }
    void dispose(void** object) override;

    uint32_t idleCount();
    uint32_t capacity() const { return m_capacity; }

private:
    ObjLocker m_locker;
    std::vector<s::base::IObject*> m_freeList;  // idle objects, owned
    uint32_t m_capacity;
    CreateFn m_createFn;
    DestroyFn m_destroyFn;
    ResetFn m_resetFn;
};

}  // namespace s::thread
