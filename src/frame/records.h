// The setup record files and the registry values that the post-install
// sequence and the reconfiguration for a second system write.
#pragma once

#include "frame/registry_layout.h"

// "Windows 95" or "Windows NT": the running system and the other one.
const char* ThisSystemName();
const char* OtherSystemName();

// Records `InstallDir` as "DataPath" (delete, then add).
void WriteDataPath();
// Replaces the front end's uninstall command by the product's uninstaller and
// keeps the front end's command, lower-cased, as "UninstPath" and in the path
// record. The result of storing the new command, or 0 when there was none.
int TakeOverUninstallEntry();
// Records the running system in `InstallDir` + "ZV32.CNF".
void RecordOsInfo();
// This system's entries of the path record; the other system's stay.
void WritePathRecord();
// The "Info" entries of the info record named by `InfoIniPath`.
void WriteInfoRecord();
// The arguments of the saved uninstall command: from its first blank, the
// blank included; empty when it has none. `arguments` holds 260 characters.
void ReadUninstallArguments(char* arguments);
// Rebuilds this system's registry entries from the other system's records.
void ImportOtherSystemRecords();
