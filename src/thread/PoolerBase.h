#pragma once
#include <cstdint>
#include <vector>

#include "base/IDestructor.h"
#include "base/IGenerator.h"
#include "base/IObject.h"
#include "thread/ObjLocker.h"

namespace s::thread {

// A pool of small records (not framework objects) with optional size
// accounting, so that a pool of variable-sized records stays bounded in bytes.
class PoolerBase : public s::base::IObject, public s::base::IGenerator, public s::base::IDestructor {
public:
    PoolerBase() = default;
    ~PoolerBase() override;
    PoolerBase(const PoolerBase&) = delete;
    PoolerBase& operator=(const PoolerBase&) = delete;

    const char16_t* className() const override { return u"s_thread_PoolerBase"; }
    s::base::IObject* newInstance() const override { return nullptr; }

    virtual int32_t objectSize(void* object);
    // size -1: ask objectSize().
    virtual void put(void* object, int32_t size);
    virtual void* get();
    virtual void resetObject(void* object) = 0;
    virtual void destroyObject(void** object) = 0;
    // generate() of IGenerator stays abstract: subclasses make the records.
    virtual void* generateRecord() = 0;
    s::base::IObject* generate() override { return nullptr; }
    void dispose(void** object) override;

    // Destroys the idle records; subclasses call it from their destructor,
    // while their destroyObject is still theirs to call.
    void destroyIdle();

    void setSizeAccounting(bool on) { m_sizeAccounting = on; }
    uint32_t idleCount();
    int32_t idleBytes() const { return m_idleBytes; }

protected:
    ObjLocker m_locker;
    std::vector<void*> m_freeList;  // idle records, owned
    uint32_t m_maxIdle = 1000;
    int32_t m_maxObjectSize = 1024;
    int32_t m_maxIdleBytes = 102400;
    int32_t m_idleBytes = 0;
    bool m_sizeAccounting = false;
};

}  // namespace s::thread
