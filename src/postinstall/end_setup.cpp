#include "postinstall/end_setup.h"

#include "frame/arguments.h"
#include "frame/paths.h"
#include "frame/records.h"
#include "frame/registry_layout.h"
#include "frame/setup_state.h"
#include "platform/port.h"
#include "postinstall/boot_files.h"
#include "postinstall/component_stages.h"
#include "postinstall/driver_paths.h"
#include "services/zvcfg/zvcfg.h"
#include "services/zvutil/zvutil.h"

namespace {

constexpr std::size_t kEndSetupListStart = 10;
// "TempCurrentVersion" is read with room for 7 characters.
constexpr int kTempVersionSize = 8;
constexpr const char* kDisinfectionCommand = "ZV32.EXE /AllDrives";
constexpr const char* kPathRecordLower = "c:\\zv.ini";

// A directory field in its short form, ending in a backslash.
void TakeDirectory(const char*& cursor, char* directory) {
  NextField(cursor, directory, kPathSize);
  ShortenInPlace(directory, kPathSize);
  AppendBackslash(directory, kPathSize);
}

void RegisterAppPath() {
  DeleteRegistryKey(port::HkeyLocalMachine, kAppPathsKey, kAppPathSubkey);
  char key[kPathSize];
  CopyText(key, sizeof key, kAppPathsKey);
  AppendName(key, sizeof key, "|");
  AppendName(key, sizeof key, kAppPathSubkey);
  AddRegistryKeyWithDefVal(port::HkeyLocalMachine, key, InstallDir);
}

void OfferDisinfection() {
  if (!IsRegistryValuePresent(port::HkeyCurrentUser, kUserVendorKey, kVirusFoundValue)) return;
  if (port::ShowMessageBox(0, kDisinfectText, kDisinfectTitle,
                           port::mb::YesNo | port::mb::IconQuestion) == port::id::Yes)
    RunDisinfection();
}

}  // namespace

int RunDisinfection() {
  char program[kPathSize];
  CopyText(program, sizeof program, InstallDir);
  AppendName(program, sizeof program, kDisinfectionCommand);
  return ExecFile(program, "", port::sw::Show, 1, 0);
}

// Every step runs whatever the earlier ones achieved: none reports an error
// of its own or stops the sequence.
void HandleEndSetup(const char* argumentText) {
  const char* cursor = ArgumentList(argumentText, kEndSetupListStart);
  TakeDirectory(cursor, SourceDir);
  TakeDirectory(cursor, InstallDir);

  RegisterAppPath();
  GetWindowsDirWithSlash(InfoIniPath, sizeof InfoIniPath);
  AppendName(InfoIniPath, sizeof InfoIniPath, kInfoRecordName);

  char windowsDir[kPathSize] = "";
  port::WindowsDirectory(windowsDir, sizeof windowsDir);
  CleanWininit(InstallDir, windowsDir);

  GetRegValue(port::HkeyCurrentUser, kUserVendorKey, kTempCurrentVersionValue, ProductVersion,
              kTempVersionSize);
  TakeOverUninstallEntry();
  WriteDataPath();
  PatchDriverPaths();
  InitStartupProgram();
  UpdateAutoexec();
  RemoveCheckInfoFile(InstallDir);

  DeleteRegistryValue(port::HkeyLocalMachine, kVendorKey, kCurrentVersionValue);
  AddRegistryValue(port::HkeyLocalMachine, kVendorKey, kCurrentVersionValue, ProductVersion);
  SaveUpgradeAndOldVersionWarnDate();
  RecordOsInfo();
  SaveComputerName();
  WritePathRecord();

  OfferDisinfection();
  RunComponentStages();
  WriteInfoRecord();
  // The path record is hidden alone: read-only and archive go with it.
  port::SetAttributes(kPathRecordLower, port::AttrHidden);
}
