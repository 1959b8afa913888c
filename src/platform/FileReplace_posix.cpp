#include <cstdio>
#include <string>

#include "platform/FileReplace.h"
#include "platform/FileSystem.h"

namespace s::platform {

bool replaceFile(const char16_t* from, const char16_t* to)
{
    const std::u16string source = from;
    const std::u16string target = to;
    return std::rename(toUtf8(source.data(), source.size()).c_str(), toUtf8(target.data(), target.size()).c_str()) == 0;
}

}  // namespace s::platform
