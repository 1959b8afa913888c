#pragma once
#include "thread/EasyPooler.h"
#include "thread/IPoolable.h"

namespace s::thread {

// Gives a class its process-wide pool: classPool(), take() and release().
// T must derive from s::base::IObject (primary base) and from this mixin,
// have a default constructor that leaves it reset, and implement reset().
template <class T, uint32_t Capacity = kPoolCapacity>
class PooledBy : public IPoolable {
public:
    static EasyPooler& classPool()
    {
        // Built on first use (thread-safe), destroyed at exit in reverse order.
        static EasyPooler pool(Capacity, &create, &destroy, &resetObject);
        return pool;
    }
    static T* take() { return static_cast<T*>(classPool().get()); }
    void release() override { classPool().put(static_cast<T*>(this)); }

private:
    static s::base::IObject* create() { return new T(); }
    static void destroy(s::base::IObject* object) { delete static_cast<T*>(object); }
    static void resetObject(s::base::IObject* object) { static_cast<T*>(object)->reset(); }
};

}  // namespace s::thread
