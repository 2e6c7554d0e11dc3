// A process's command line split the way the program's start-up takes it:
// the program's own name first, then the argument text.
#pragma once

// Where the argument text begins in `commandLine`: past the program's own
// name and the blanks that follow it.
const char* ArgumentTextOf(const char* commandLine, const char* modulePath,
                           const char* shortModulePath);
