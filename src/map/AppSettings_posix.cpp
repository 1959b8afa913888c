#include "map/AppSettings.h"

namespace s::map {

IMappedData* AppSettings::openRegistryStore(s::lang::Localizer&) { return nullptr; }

bool AppSettings::openPostInstallPage(bool, s::lang::Localizer&) { return false; }

}  // namespace s::map
