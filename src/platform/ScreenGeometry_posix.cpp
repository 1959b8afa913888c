#include "platform/ScreenGeometry.h"

namespace s::platform {

ScreenGeometry systemScreenGeometry()
{
    ScreenGeometry geometry;
    geometry.virtualScreen = {0, 0, 1024, 768};
    geometry.workArea = {0, 0, 1024, 768};
    return geometry;
}

}  // namespace s::platform
