#include <windows.h>

#include "platform/ScreenGeometry.h"

namespace s::platform {

ScreenGeometry systemScreenGeometry()
{
    ScreenGeometry geometry;
    geometry.virtualScreen.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    geometry.virtualScreen.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    geometry.virtualScreen.width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    geometry.virtualScreen.height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    RECT work{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
        geometry.workArea = {work.left, work.top, work.right - work.left, work.bottom - work.top};
    } else {
        geometry.workArea = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return geometry;
}

}  // namespace s::platform
