// The previous installation: its directory, taken from the front end's saved
// uninstall command, and the removal by its own uninstaller.
#pragma once

// The directory of the file named after "-f" in the saved uninstall command
// "UninstPath", lower-cased, ending in a backslash. `out` holds 260
// characters; it is not written when no directory can be found.
void GetPreviousInstallDir(char* out);
// Runs the previous installation's ZVUINST.EXE and waits for it; 1 when
// ZV95.EXE and ZV.INX are gone from its directory afterwards, else 0.
int RunPreviousUninstaller();
