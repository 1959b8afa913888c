#include <unistd.h>

#include <vector>

#include "platform/FileSystem.h"
#include "platform/ModuleResource.h"

namespace s::platform {

std::u16string ModuleResource::executablePath()
{
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<size_t>(length) >= buffer.size())
        return {};
    return fromUtf8(buffer.data(), static_cast<size_t>(length));
}

std::string_view ModuleResource::bytes(int, const char16_t*) { return {}; }

}  // namespace s::platform
