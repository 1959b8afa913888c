#include <unistd.h>

#include <climits>
#include <cstring>

#include "platform/Console.h"
#include "platform/FileSystem.h"

namespace s::platform {

std::vector<std::u16string> commandLineArguments(int argc, char** argv)
{
    std::vector<std::u16string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(fromUtf8(argv[i], std::strlen(argv[i])));
    return arguments;
}

void prepareConsole() {}

bool stdoutIsTerminal() { return isatty(STDOUT_FILENO) == 1; }

std::u16string absolutePath(const std::u16string& path)
{
    if (!path.empty() && path[0] == u'/')
        return path;
    std::string folder(PATH_MAX, '\0');
    if (!getcwd(folder.data(), folder.size()))
        return path;
    folder.resize(std::strlen(folder.c_str()));
    std::u16string full = fromUtf8(folder.data(), folder.size());
    if (full.empty() || full.back() != u'/')
        full += u'/';
    // "./x" reads better as "x".
    std::u16string rest = path;
    while (rest.size() >= 2 && rest[0] == u'.' && rest[1] == u'/')
        rest.erase(0, 2);
    if (rest == u".")
        rest.clear();
    return full + rest;
}

}  // namespace s::platform
