// pellory-batch: sharpens or blurs image files from the command line with
// the same engine as the window.
#include <cstdio>

#include "cli/BatchCommand.h"
#include "platform/Console.h"

int main(int argc, char** argv)
{
    s::platform::prepareConsole();
    s::cli::BatchCommand command;
    if (!command.parse(s::platform::commandLineArguments(argc, argv))) {
        std::fprintf(stderr, "pellory-batch: %s\n\n%s", command.error().c_str(), s::cli::BatchCommand::usage());
        return s::cli::BatchCommand::kExitUsage;
    }
    if (command.wantsHelp()) {
        std::fputs(s::cli::BatchCommand::usage(), stdout);
        return s::cli::BatchCommand::kExitOk;
    }
    return command.run(stdout, stderr, s::platform::stdoutIsTerminal());
}
