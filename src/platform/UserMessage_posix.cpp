#include <cstdio>
#include <string>

#include "platform/FileSystem.h"
#include "platform/UserMessage.h"

namespace s::platform {

void showInformationWithSystem(std::u16string_view title, std::u16string_view text)
{
    std::string line = toUtf8(text.data(), text.size());
    if (!title.empty())
        line = toUtf8(title.data(), title.size()) + ": " + line;
    std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace s::platform
