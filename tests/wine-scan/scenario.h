// The scan scenario, run the same way on the simulated machine and on the
// real Win32 API under Wine: the scan dialog, memory stage included, over a
// Windows directory that holds infected test files, then over the same
// directory cleaned.
#pragma once

#include <string>

// Runs the scan dialog once, in a run of its own (ModuleInstance set by the
// caller), and returns two lines: which Windows the program saw, which
// decides whether the memory stage runs ("GetOS: 1" for Windows 95), and what
// the scan left in the registry ("VirusFoundDuringInstall: 1" or
// "... (absent)").
std::string RunScanOnce();
