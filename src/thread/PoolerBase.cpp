#include "thread/PoolerBase.h"

#include "col/_array/Growth.h"

namespace s::thread {

PoolerBase::~PoolerBase() = default;

void PoolerBase::destroyIdle()
{
    std::vector<void*> idle;
    {
        Lock lock(m_locker);
        idle.swap(m_freeList);
        m_idleBytes = 0;
    }
    for (void* object : idle)
        destroyObject(&object);
}

int32_t PoolerBase::objectSize(void*) { return 1024; }

void PoolerBase::put(void* object, int32_t size)
{
    if (!object)
        return;
    if (m_sizeAccounting && size == -1)
        size = objectSize(object);
    {
        Lock lock(m_locker);
        bool keep = m_freeList.size() <= m_maxIdle;
        if (m_sizeAccounting)
            keep = keep && size <= m_maxObjectSize && m_idleBytes + size <= m_maxIdleBytes;
        if (keep) {
            resetObject(object);
            s::col::_array::growFor(m_freeList, m_freeList.size() + 1);
            m_freeList.push_back(object);
            if (m_sizeAccounting)
                m_idleBytes += size;
            return;
        }
    }
    destroyObject(&object);
}

void* PoolerBase::get()
{
    {
        Lock lock(m_locker);
        if (!m_freeList.empty()) {
            void* object = m_freeList.back();
            m_freeList.pop_back();
            if (m_sizeAccounting)
                m_idleBytes -= objectSize(object);
            return object;
        }
    }
    return generateRecord();
}

void PoolerBase::dispose(void** object)
{
    if (!object || !*object)
        return;
    put(*object, -1);
    *object = nullptr;
}

uint32_t PoolerBase::idleCount()
{
    Lock lock(m_locker);
    return static_cast<uint32_t>(m_freeList.size());
}

}  // namespace s::thread
