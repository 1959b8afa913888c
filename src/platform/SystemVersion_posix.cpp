#include "platform/SystemVersion.h"

namespace s::platform {

const SystemVersion& systemVersion()
{
    static const SystemVersion version{6, 1, true};
    return version;
}

}  // namespace s::platform
