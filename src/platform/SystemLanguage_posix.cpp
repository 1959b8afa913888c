#include <cstdlib>

#include "platform/SystemLanguage.h"

namespace s::platform {

uint16_t userDefaultUiLanguage()
{
    // The precedence the C library gives the message catalogue's locale.
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return languageIdOfLocale(value);
    }
    return languageIdOfLocale("");
}

bool isBeforeWindowsVista() { return false; }

}  // namespace s::platform
