#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <thread>

#include "platform/FileSystem.h"
#include "platform/WebPage.h"

extern char** environ;

namespace s::platform {

bool openWebPageWithSystem(const char16_t* address)
{
    const std::u16string text = address;
    std::string url = toUtf8(text.data(), text.size());
    char program[] = "xdg-open";
    char* arguments[] = {program, url.data(), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, program, nullptr, nullptr, arguments, environ) != 0)
        return false;
    // xdg-open may wait for the browser; reap it without holding up the caller.
    std::thread([child] {
        int status = 0;
        waitpid(child, &status, 0);
    }).detach();
    return true;
}

}  // namespace s::platform
