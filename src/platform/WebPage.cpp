#include "platform/WebPage.h"

#include <atomic>
#include <string_view>

namespace s::platform {

namespace {

std::atomic<WebPageOpener> g_opener{nullptr};

bool startsWithIgnoreCase(std::u16string_view text, std::u16string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

}  // namespace

bool openWebPage(const char16_t* address)
{
    if (!address)
        return false;
    const std::u16string_view text(address);
    if (!startsWithIgnoreCase(text, u"http://") && !startsWithIgnoreCase(text, u"https://"))
        return false;
    const WebPageOpener opener = g_opener.load();
    return opener ? opener(address) : openWebPageWithSystem(address);
}

WebPageOpener setWebPageOpener(WebPageOpener opener) { return g_opener.exchange(opener); }

}  // namespace s::platform
