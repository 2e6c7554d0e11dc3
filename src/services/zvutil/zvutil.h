// zvutil: the product's system-services library.
#pragma once

#include "services/export.h"

#ifdef ZVUTIL_BUILD
#define ZVUTIL_API extern "C" ZV_DLLEXPORT
#else
#define ZVUTIL_API extern "C" ZV_DLLIMPORT
#endif

// The scanners' file classification.
#include "services/zvutil/file_type.h"

// 1 on Windows 95, 2 on Windows NT.
ZVUTIL_API int GetOS(void);
// Where the product is installed: 1 for Windows 95, 2 for Windows NT. This
// system counts when its uninstall entry exists; the other system when the
// path record C:\ZV.INI names its Windows directory.
ZVUTIL_API int GetZVVersionsInstalled(void);
// Records in the installation's ZV32.CNF which systems use it. With
// `installed` 1 the running system is added; with 0 it is taken out.
ZVUTIL_API int UpdateOSInfo(const char* cnfPath, int installed);
// Today's date as the day from which the scanner counts before it reminds the
// user of an upgrade and of an old version.
ZVUTIL_API int SaveUpgradeAndOldVersionWarnDate(void);
// The computer's name, by which the scanner knows the machine it was set up on.
ZVUTIL_API int SaveComputerName(void);
// Removes the product's "Zelvane Scan" commands from Explorer.
ZVUTIL_API int RemoveShellExtensions(void);
// Nonzero while the resident protection VIGARD.EXE is loaded.
ZVUTIL_API int IsAutoProtectLoaded(void);
// Takes the product's programs out of those that start with Windows.
ZVUTIL_API int RemoveEntriesFromStartup(void);
// Restarts Windows; does not return.
ZVUTIL_API int RestartWindows(void);
// Starts `program` (a path, possibly followed by arguments) with `arguments`
// appended after a blank. With `wait` 1 returns once the program has ended.
// `dosProgram` 1 marks a DOS program (the start-up program); both builds
// start it like any other. Nonzero when the program was started.
ZVUTIL_API int ExecFile(const char* program, const char* arguments, int show, int wait,
                        int dosProgram);
// Copies `source` to `target`; with `replace` 1 an existing target, even a
// read-only one, is replaced, with 0 it is kept. 1 when copied.
ZVUTIL_API int FileCopy(const char* source, const char* target, int replace);
// 1 when drive `drive` (0 A, 1 B) holds a diskette that can be written.
ZVUTIL_API int MakeDriveReady(int drive);
