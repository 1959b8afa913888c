#include "thread/EasyPooler.h"

#include "col/_array/Growth.h"

namespace s::thread {

EasyPooler::EasyPooler(uint32_t capacity, CreateFn createFn, DestroyFn destroyFn, ResetFn resetFn)
    : m_capacity(capacity), m_createFn(createFn), m_destroyFn(destroyFn), m_resetFn(resetFn)
{
    m_freeList.reserve(s::col::_array::kInitialCapacity);
}

EasyPooler::~EasyPooler()
{
    for (s::base::IObject* object : m_freeList)
        m_destroyFn(object);
    m_freeList.clear();
}

s::base::IObject* EasyPooler::newInstance() const
{
    return new EasyPooler(m_capacity, m_createFn, m_destroyFn, m_resetFn);
}

s::base::IObject* EasyPooler::get()
{
    {
        Lock lock(m_locker);
        if (!m_freeList.empty()) {
            s::base::IObject* object = m_freeList.back();
            m_freeList.pop_back();
            return object;
        }
    }
    return m_createFn();
}

void EasyPooler::put(s::base::IObject* object)
{
    if (!object)
        return;
    {
        Lock lock(m_locker);
        if (m_freeList.size() < m_capacity) {
            // The reset runs under our lock; it may release members to their
            // own pools, whose locks nest inside this one.
            m_resetFn(object);
            s::col::_array::growFor(m_freeList, m_freeList.size() + 1);
            m_freeList.push_back(object);
            return;
        }
    }
    m_destroyFn(object);
}

void EasyPooler::dispose(void** object)
{
    if (!object || !*object)
        return;
    put(static_cast<s::base::IObject*>(*object));
    *object = nullptr;
}

uint32_t EasyPooler::idleCount()
{
    Lock lock(m_locker);
    return static_cast<uint32_t>(m_freeList.size());
}

}  // namespace s::thread
