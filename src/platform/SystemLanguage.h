#pragma once
#include <cstdint>
#include <string_view>

// What the system says about the user's language, for the first choice of
// the interface language.
namespace s::platform {

// The user's default interface language as a Windows language identifier
// (primary language in the low bits, sub-language above). Windows asks the
// system; elsewhere the locale of LC_ALL, LC_MESSAGES or LANG (the first that
// is set) is translated, and no locale means English (0x0409).
uint16_t userDefaultUiLanguage();

// The Windows language identifier of a POSIX locale name such as
// "pt_BR.UTF-8" or "sr_RS@latin"; English (0x0409) for "C", "POSIX", an empty
// name or a language Windows has no identifier for.
uint16_t languageIdOfLocale(std::string_view locale);

// True on Windows older than 6.0 (XP, Server 2003), whose fonts lack some
// letters that later systems have; false on any other system.
bool isBeforeWindowsVista();

}  // namespace s::platform
