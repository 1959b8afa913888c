#include "cleaner/CleanerIObject.h"

namespace s::cleaner {

CleanerIObject& CleanerIObject::instance()
{
    static CleanerIObject single;
    return single;
}

void CleanerIObject::dispose(void** object)
{
    if (!object || !*object)
        return;
    delete static_cast<s::base::IObject*>(*object);
    *object = nullptr;
}

}  // namespace s::cleaner
