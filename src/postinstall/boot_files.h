// The system's start-up files brought into line with the installation:
// WININIT.INI, C:\AUTOEXEC.BAT, the start-up program's first run and the
// check information file.
#pragma once

// Removes from `windowsDir`'s WININIT.INI every line that names `installDir`
// (short form, with its backslash), without regard to case. Nothing is done
// for an empty Windows directory or install directory.
void CleanWininit(const char* installDir, const char* windowsDir);

// Makes the short path of InstallDir's ZVSTRUP.EXE the first line of
// C:\AUTOEXEC.BAT and drops every other line that names ZVSTRUP; the
// previous file stays as C:\AUTOEXEC.ZV.
void UpdateAutoexec();

// Runs ZVSTRUP.EXE /INIT /REBUILD hidden and waits for it; ExecFile's result.
int InitStartupProgram();

// Deletes `directory`'s ZVCHK.INF, read-only or not; a missing file is no error.
void RemoveCheckInfoFile(const char* directory);
