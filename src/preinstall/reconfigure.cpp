#include "preinstall/reconfigure.h"

#include <cstdio>

#include "frame/paths.h"
#include "frame/records.h"
#include "frame/registry_layout.h"
#include "frame/setup_state.h"
#include "frame/setup_window.h"
#include "platform/port.h"
#include "postinstall/boot_files.h"
#include "postinstall/component_stages.h"
#include "postinstall/program_group.h"
#include "services/zvcfg/zvcfg.h"
#include "services/zvutil/zvutil.h"

namespace {

// The other system's name, then this system's name twice; in 252 characters.
constexpr const char* kReconfigureFormat =
    "Setup has found that Zelvane was already installed on %s.\n\nIt will now create icons and "
    "update %s registry and other\nsettings so that you can use the same version on %s";
constexpr int kReconfigureSize = 252;

void ReadPathRecord(const char* key, char* value) {
  port::ReadProfileString(kPathRecordFile, kPathSection, key, "", value, kPathSize);
}

}  // namespace

void ReconfigureForThisSystem() {
  char question[kReconfigureSize];
  std::snprintf(question, sizeof question, kReconfigureFormat, OtherSystemName(),
                ThisSystemName(), ThisSystemName());
  if (port::ShowMessageBox(0, question, kReconfigureTitle,
                           port::mb::OkCancel | port::mb::IconInformation) == port::id::Cancel)
    return;

  ReadPathRecord(kPathProductKey, InstallDir);
  AppendBackslash(InstallDir, sizeof InstallDir);
  CreateProgramGroup();
  ImportOtherSystemRecords();
  SaveUpgradeAndOldVersionWarnDate();
  RecordOsInfo();
  WritePathRecord();
  DeleteRegistryValue(port::HkeyLocalMachine, kVendorKey, kCurrentVersionValue);
  AddRegistryValue(port::HkeyLocalMachine, kVendorKey, kCurrentVersionValue, ProductVersion);
  if (GetOS() == 1) {
    InitStartupProgram();
    UpdateAutoexec();
  }
  // Read after the path record was written, so this system's entry is new.
  char windowsDir[kPathSize];
  ReadPathRecord(kWindows95, windowsDir);
  CleanWininit(InstallDir, windowsDir);
  ReadPathRecord(kWindowsNt, windowsDir);
  CleanWininit(InstallDir, windowsDir);

  RunComponentStages();
  CloseSetupWindow();
  port::ShowMessageBox(0, kInstalledText, kReconfigureTitle,
                       port::mb::Ok | port::mb::IconInformation);
}
