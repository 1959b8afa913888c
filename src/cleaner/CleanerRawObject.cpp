#include "cleaner/CleanerRawObject.h"

#include <cstdlib>

namespace s::cleaner {

CleanerRawObject& CleanerRawObject::instance()
{
    static CleanerRawObject single;
    return single;
}

void CleanerRawObject::dispose(void** object)
{
    if (!object || !*object)
        return;
    std::free(*object);
    *object = nullptr;
}

}  // namespace s::cleaner
