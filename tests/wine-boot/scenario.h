// One scenario of the boot files and driver patches, run the same way on the
// simulated machine and on the real Win32 API under Wine: the product in
// C:\Zelvane AV, known by its short form; AUTOEXEC.BAT with an older
// start-up line; WININIT.INI naming the install directory in several forms;
// the driver files with their markers, VIGARD.DRV read-only; ZVCHK.INF.
#pragma once

#include <string>

// The install directory's long form; each build makes the folder its own way.
extern const char* const kScenarioInstallFolder;

// InstallDir set to the short form, and the files written.
void PrepareBootFiles();
// The post-install operations on them; InitStartupProgram's result is kept.
void RunBootOperations();
// Every file the scenario may touch, byte for byte, escaped, one per line;
// the install directory's short form reads as <install>.
std::string DumpBootFiles();
