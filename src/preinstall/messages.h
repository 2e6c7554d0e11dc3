// The messages of the removal and resume roads. All of them are owned by the
// program's active window, if there is one, and titled "Zelvane Setup".
#pragma once

#include "platform/port.h"

constexpr const char* kSetupTitle = "Zelvane Setup";

// The scanner is still open; shown until the user has closed it.
constexpr const char* kScannerRunningText =
    "Zelvane is currently running.\nZelvane Setup will not be able to\n"
    "proceed till Zelvane is running.\n\nClose the application to continue with the setup.";
constexpr unsigned kScannerRunningType = port::mb::Ok | port::mb::IconInformation;

// The resident protection is loaded: Windows restarts.
constexpr const char* kRebootText =
    "Zelvane Setup will now reboot the system to remove Online Protection.";
constexpr unsigned kRebootType = port::mb::Ok | port::mb::IconInformation;

// Setup disk 1 is not in its drive; %c is the drive letter.
constexpr const char* kInsertDiskFormat = "Insert Zelvane Setup disk 1 in drive %c";
constexpr unsigned kInsertDiskIcon = port::mb::IconInformation;

// The saved uninstall command names no folder of the previous version, so
// its uninstaller cannot be run; the user must remove it another way.
constexpr const char* kNoPreviousDirText =
    "Zelvane Setup could not find where the previous version\n"
    "of Zelvane is installed.\n\n"
    "Uninstall it from the Control Panel, then run Zelvane Setup again.";
constexpr unsigned kNoPreviousDirType = port::mb::Ok | port::mb::IconExclamation;

// After a restart the source directory of the installation is not known, so
// the installation cannot resume by itself.
constexpr const char* kNoSetupDirText =
    "Zelvane Setup could not find where it was started from.\n\n"
    "Run SETUP.EXE from Zelvane Setup disk 1 to continue\nwith the installation.";
constexpr unsigned kNoSetupDirType = port::mb::Ok | port::mb::IconExclamation;

// Shows a message of these roads, owned by the active window.
inline int ShowSetupMessage(const char* text, unsigned type) {
  return port::ShowMessageBox(port::ActiveWindow(), text, kSetupTitle, type);
}
