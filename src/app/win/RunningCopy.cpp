#include "app/win/RunningCopy.h"

#include "lang/LangPack.h"
#include "lang/Localizer.h"

namespace s::app::win {

namespace {

char16_t foldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

}  // namespace

bool RunningCopy::startsWithIgnoreCase(std::u16string_view text, std::u16string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (foldAscii(text[i]) != foldAscii(prefix[i]))
            return false;
    }
    return true;
}

bool RunningCopy::equalsIgnoreCase(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() && startsWithIgnoreCase(a, b);
}

uint32_t RunningCopy::pickProcess(const std::vector<Process>& snapshot, std::u16string_view executablePath,
                                  uint32_t ownId)
{
    // Without a path of its own this start could match anything.
    if (executablePath.empty())
        return 0;
    for (const Process& process : snapshot) {
        if (process.id != ownId && process.id != 0 && equalsIgnoreCase(process.path, executablePath))
            return process.id;
    }
    return 0;
}

bool RunningCopy::wakeRunningCopy(s::lang::Localizer& localizer, int32_t textBase)
{
    const uint32_t other = pickProcess(snapshot(), ownExecutablePath(), ownProcessId());
    if (other == 0)
        return false;
    for (int32_t i = 0; i < localizer.languageCount(); ++i) {
        const std::u16string_view productName = localizer.languageAt(i)->text(textBase);
        // An empty name would match any window of the process.
        if (productName.empty())
            continue;
        if (void* window = findWindow(other, productName)) {
            // One wake-up is enough: the languages mostly share the name.
            wake(window);
            break;
        }
    }
    return true;
}

}  // namespace s::app::win
