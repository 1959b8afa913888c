#pragma once
#include <string>
#include <vector>

namespace s::platform {

// The program's arguments as UTF-16 texts (on Windows from the wide command
// line, so any file name survives; elsewhere decoded from UTF-8).
std::vector<std::u16string> commandLineArguments(int argc, char** argv);
// Makes the console take UTF-8 output.
void prepareConsole();
bool stdoutIsTerminal();
// A full path for a possibly relative one, against the current folder.
std::u16string absolutePath(const std::u16string& path);

}  // namespace s::platform
