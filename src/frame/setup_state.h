// The setup state: the process-wide values that the operations of one run
// share. Everything here starts at its initial value when the process starts;
// whatever a later run needs goes through the registry and the record files.
#pragma once

#include <cstdint>

#include "platform/port.h"

constexpr int kPathSize = 260;     // paths: 259 characters and the terminator
constexpr int kVersionSize = 12;   // the version being installed: 11 characters

extern port::Instance ModuleInstance;
extern char InstallDir[kPathSize];
extern char SourceDir[kPathSize];
extern char ProductVersion[kVersionSize];
extern char InfoIniPath[kPathSize];
extern std::int16_t FloppyDrive;
extern port::Window ScanDialogWindow;
// True until the scan dialog's first paint starts its stages, once per run.
extern bool ScanPending;
extern std::int32_t WantOnlineProtection;
extern std::int32_t WantScheduler;
extern std::int32_t WantToolbar;
extern std::int32_t WantEmergencyDisk;
extern std::int32_t WantRescueDisk;
extern std::int32_t WantWordProtection;
extern std::int32_t WantShellExtensions;
// The Word stage: the installer document reported that it is done; the wait
// for Word may end; the template backup and the keeper are to follow.
extern std::int32_t WordDoneWindowSeen;
extern std::int32_t WordStageFinished;
extern std::int32_t WordTemplateInstalled;

// Puts every value back to its initial state, as at the start of a process.
// The simulator runs several processes in one host process.
void ResetSetupState();
