#pragma once
#include <string_view>

namespace s::platform {

// Shows a message to the user and waits until it is acknowledged: a message
// box with the information icon on Windows, a line on the standard error
// stream elsewhere. An empty title means the system's default caption.
void showInformation(std::u16string_view title, std::u16string_view text);

// Tests install a recorder so that no message box ever waits for a click;
// null restores the system's. Returns the one that was installed.
using InformationShower = void (*)(std::u16string_view title, std::u16string_view text);
InformationShower setInformationShower(InformationShower shower);

// The system's own way (what showInformation uses by default).
void showInformationWithSystem(std::u16string_view title, std::u16string_view text);

}  // namespace s::platform
