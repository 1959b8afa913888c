#include "platform/CriticalSection.h"

#include <pthread.h>

namespace s::platform {

static_assert(sizeof(pthread_mutex_t) <= 64, "native lock does not fit");

static pthread_mutex_t* native(unsigned char* storage)
{
    return reinterpret_cast<pthread_mutex_t*>(storage);
}

CriticalSection::CriticalSection()
{
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(native(m_storage), &attributes);
    pthread_mutexattr_destroy(&attributes);
}

CriticalSection::~CriticalSection() { pthread_mutex_destroy(native(m_storage)); }
void CriticalSection::enter() { pthread_mutex_lock(native(m_storage)); }
void CriticalSection::leave() { pthread_mutex_unlock(native(m_storage)); }

}  // namespace s::platform
