#pragma once
#include <type_traits>
#include <utility>

#include "thread/IPoolable.h"

namespace s::thread {

// Gives a pooled object back to its pool, also when it is known only by an
// interface that does not itself derive from IPoolable.
template <class T>
void releaseToPool(T* object)
{
    if (!object)
        return;
    if constexpr (std::is_base_of_v<IPoolable, T>)
        object->release();
    else if (auto* poolable = dynamic_cast<IPoolable*>(object))
        poolable->release();
}

// A scope holder for a pooled object: releases it on every way out of the
// scope unless take() handed it on. Not a framework class; it has no pool.
template <class T>
class Pooled {
public:
    Pooled() = default;
    explicit Pooled(T* object) : m_object(object) {}
    ~Pooled() { clear(); }
    Pooled(const Pooled&) = delete;
    Pooled& operator=(const Pooled&) = delete;
    Pooled(Pooled&& other) noexcept : m_object(other.take()) {}
    Pooled& operator=(Pooled&& other) noexcept
    {
        if (this != &other) {
            clear();
            m_object = other.take();
        }
        return *this;
    }

    T* get() const { return m_object; }
    T* operator->() const { return m_object; }
    T& operator*() const { return *m_object; }
    explicit operator bool() const { return m_object != nullptr; }

    // Hands ownership on; the holder is empty afterwards.
    T* take() { return std::exchange(m_object, nullptr); }
    // Releases the current object and holds another.
    void hold(T* object)
    {
        clear();
        m_object = object;
    }
    void clear()
    {
        if (m_object)
            releaseToPool(std::exchange(m_object, nullptr));
    }

private:
    T* m_object = nullptr;  // owned
};

}  // namespace s::thread
