#include "platform/ScreenGeometry.h"

#include <mutex>

namespace s::platform {

namespace {

std::mutex g_lock;
bool g_overridden = false;
ScreenGeometry g_override;

}  // namespace

ScreenGeometry screenGeometry()
{
    {
        std::lock_guard<std::mutex> hold(g_lock);
        if (g_overridden)
            return g_override;
    }
    return systemScreenGeometry();
}

void setScreenGeometryOverride(const ScreenGeometry* geometry)
{
    std::lock_guard<std::mutex> hold(g_lock);
    g_overridden = geometry != nullptr;
    g_override = geometry ? *geometry : ScreenGeometry();
}

}  // namespace s::platform
