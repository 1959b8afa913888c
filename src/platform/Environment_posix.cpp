#include <cstdlib>

#include "platform/Environment.h"
#include "platform/FileSystem.h"

namespace s::platform {

std::u16string expandEnvironment(std::u16string_view text)
{
    std::u16string out;
    size_t i = 0;
    while (i < text.size()) {
        const size_t open = text.find(u'%', i);
        const size_t close = open == std::u16string_view::npos ? open : text.find(u'%', open + 1);
        if (close == std::u16string_view::npos) {
            out.append(text.substr(i));
            break;
        }
        out.append(text.substr(i, open - i));
        const std::u16string_view name = text.substr(open + 1, close - open - 1);
        const std::string narrow = toUtf8(name.data(), name.size());
        const char* value = name.empty() ? nullptr : std::getenv(narrow.c_str());
        if (value) {
            out += fromUtf8(value, std::char_traits<char>::length(value));
            i = close + 1;
        } else {
            // An unknown name stays; its closing "%" may open the next reference.
            out.append(text.substr(open, close - open));
            i = close;
        }
    }
    return out;
}

}  // namespace s::platform
