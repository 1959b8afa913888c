#include "map/AppSettings.h"

#include "reg/MappedData.h"
#include "reg/win/RegDir.h"
#include "thread/Pooled.h"

namespace s::map {

IMappedData* AppSettings::openRegistryStore(s::lang::Localizer& localizer)
{
    return s::reg::MappedData::withRoot(
        s::reg::win::RegDir::make(s::reg::RootKey::CurrentUser, storeKeyPath(localizer)));
}

bool AppSettings::openPostInstallPage(bool hasParameters, s::lang::Localizer& localizer)
{
    if (hasParameters)
        return false;
    s::thread::Pooled<s::reg::win::RegDir> productKey(
        s::reg::win::RegDir::make(s::reg::RootKey::CurrentUser, productKeyPath(localizer)));
    return openPostInstallPage(*productKey, hasParameters, localizer);
}

}  // namespace s::map
