#include "platform/ModuleResource.h"

namespace s::platform {

std::u16string ModuleResource::folderOf(std::u16string_view path)
{
    const size_t cut = path.find_last_of(u"\\/");
    return cut == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(0, cut));
}

}  // namespace s::platform
