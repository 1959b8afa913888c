#pragma once

namespace s::platform {

// Opens a web page in the user's browser: the shell's "open" verb on Windows,
// xdg-open elsewhere. Only http and https addresses are opened: the address
// is handed to the shell, which would also start a program named by it.
bool openWebPage(const char16_t* address);

// The function openWebPage hands a checked address to. Tests install a
// recorder so that no browser ever starts; null restores the system's.
// Returns the one that was installed.
using WebPageOpener = bool (*)(const char16_t* address);
WebPageOpener setWebPageOpener(WebPageOpener opener);

// The system's own opener (what openWebPage uses by default).
bool openWebPageWithSystem(const char16_t* address);

}  // namespace s::platform
