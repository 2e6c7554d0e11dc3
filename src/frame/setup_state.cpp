#include "frame/setup_state.h"

#include <cstring>

port::Instance ModuleInstance;
char InstallDir[kPathSize];
char SourceDir[kPathSize];
char ProductVersion[kVersionSize];
char InfoIniPath[kPathSize];
std::int16_t FloppyDrive;
port::Window ScanDialogWindow;
bool ScanPending = true;
std::int32_t WantOnlineProtection;
std::int32_t WantScheduler;
std::int32_t WantToolbar;
std::int32_t WantEmergencyDisk;
std::int32_t WantRescueDisk;
std::int32_t WantWordProtection;
std::int32_t WantShellExtensions;
std::int32_t WordDoneWindowSeen;
std::int32_t WordStageFinished;
std::int32_t WordTemplateInstalled;

void ResetSetupState() {
  ModuleInstance = 0;
  InstallDir[0] = '\0';
  SourceDir[0] = '\0';
  std::strcpy(ProductVersion, "5.0");
  InfoIniPath[0] = '\0';
  FloppyDrive = -1;
  ScanDialogWindow = 0;
  ScanPending = true;
  WantOnlineProtection = 0;
  WantScheduler = 0;
  WantToolbar = 0;
  WantEmergencyDisk = 0;
  WantRescueDisk = 0;
  WantWordProtection = 0;
  WantShellExtensions = 0;
  WordDoneWindowSeen = 0;
  WordStageFinished = 0;
  WordTemplateInstalled = 0;
}
