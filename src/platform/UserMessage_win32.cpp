#include <windows.h>

#include <string>

#include "platform/UserMessage.h"

namespace s::platform {

void showInformationWithSystem(std::u16string_view title, std::u16string_view text)
{
    // The views need not end in a zero; the copies do.
    const std::u16string caption(title);
    const std::u16string body(text);
    MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(body.c_str()),
                caption.empty() ? nullptr : reinterpret_cast<const wchar_t*>(caption.c_str()),
                MB_OK | MB_ICONINFORMATION);
}

}  // namespace s::platform
