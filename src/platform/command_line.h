// A process's command line split the way the program's start-up takes it:
// the program's own name first, then the argument text.
#pragma once

#include <string>

// Where the argument text begins in `commandLine`: past the program's own
// name and the blanks that follow it.
const char* ArgumentTextOf(const char* commandLine, const char* modulePath,
                           const char* shortModulePath);

// Splits a command line into the program's path and its arguments the way
// the system does: a quoted path, or the shortest prefix that names a file
// (a folder such as C:\ZV does not stop the search in "C:\ZV Setup\...").
// `isFile` tells whether a path names a file; the result, whether the
// program's path does.
bool SplitCommandLine(const std::string& command, std::string& program, std::string& arguments,
                      bool (*isFile)(const std::string& path));
