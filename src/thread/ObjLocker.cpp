#include "thread/ObjLocker.h"

#include "base/IDestructor.h"

namespace s::thread {

ObjLocker::~ObjLocker()
{
    if (!m_heldObject)
        return;
    if (m_heldDeleter)
        m_heldDeleter(m_heldObject);
    else if (m_heldDisposer)
        m_heldDisposer->dispose(&m_heldObject);
    else
        ::operator delete(m_heldObject);
    m_heldObject = nullptr;
}

void ObjLocker::hold(void* object, Deleter deleter, s::base::IDestructor* disposer)
{
    m_heldObject = object;
    m_heldDeleter = deleter;
    m_heldDisposer = disposer;
}

}  // namespace s::thread
