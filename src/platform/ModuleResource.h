#pragma once
#include <string>
#include <string_view>

namespace s::platform {

// The running program's own file and the resources compiled into it.
class ModuleResource {
public:
    // The full path of the running executable; empty when the system will
    // not say.
    static std::u16string executablePath();
    // The folder part of a path (without its last separator), or empty.
    static std::u16string folderOf(std::u16string_view path);
    // The bytes of the resource (id, type name) of the running executable;
    // they stay mapped as long as the process. Empty when there is no such
    // resource, and always elsewhere than on Windows.
    static std::string_view bytes(int id, const char16_t* type);
};

}  // namespace s::platform
