// The scan scenario, run the same way on the simulated machine and on the
// real Win32 API under Wine: the scan dialog over a Windows directory that
// holds infected test files, then over the same directory cleaned.
#pragma once

#include <string>

// Runs the scan dialog once, in a run of its own (ModuleInstance set by the
// caller), and returns the line that tells what the scan left in the
// registry: "VirusFoundDuringInstall: 1" or "... (absent)".
std::string RunScanOnce();
