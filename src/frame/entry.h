// The entry point's dispatch: the program's whole run, given the module
// instance and the argument text (the command line after the program's own
// name and the blanks that follow it). Returns the exit code, 0 in every case.
#pragma once

#include "platform/port.h"

int ZvsetMain(port::Instance instance, const char* argumentText);
