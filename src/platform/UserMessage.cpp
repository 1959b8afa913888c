#include "platform/UserMessage.h"

#include <atomic>

namespace s::platform {

namespace {

std::atomic<InformationShower> g_shower{nullptr};

}  // namespace

void showInformation(std::u16string_view title, std::u16string_view text)
{
    const InformationShower shower = g_shower.load();
    if (shower)
        shower(title, text);
    else
        showInformationWithSystem(title, text);
}

InformationShower setInformationShower(InformationShower shower) { return g_shower.exchange(shower); }

}  // namespace s::platform
