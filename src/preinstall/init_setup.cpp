#include "preinstall/init_setup.h"

#include <cstdio>
#include <cstdlib>

#include "frame/paths.h"
#include "frame/records.h"
#include "frame/registry_layout.h"
#include "frame/setup_state.h"
#include "frame/setup_window.h"
#include "platform/port.h"
#include "preinstall/decision_messages.h"
#include "preinstall/edition.h"
#include "preinstall/handover.h"
#include "preinstall/init_fields.h"
#include "preinstall/install_location.h"
#include "preinstall/previous_version.h"
#include "preinstall/product_programs.h"
#include "preinstall/reconfigure.h"
#include "preinstall/setup_disk.h"
#include "scan/scan_dialog.h"
#include "services/zvcfg/zvcfg.h"
#include "services/zvutil/zvutil.h"

namespace {

constexpr std::uint32_t Hklm = port::HkeyLocalMachine;
constexpr std::uint32_t Hkcu = port::HkeyCurrentUser;
// The recorded answer is read with room for 4 characters; the kept
// installation's version as "CurrentVersion" is everywhere, with room for 7.
constexpr int kAnswerSize = 5;
constexpr int kKeptVersionSize = 8;
// Bits of GetZVVersionsInstalled: this product recorded on Windows 95 and on NT.
constexpr int kInstalledOnBoth = 1 | 2;
// The wait before the kept version's key goes, once its programs are closed.
constexpr unsigned kSettleMilliseconds = 1000;

void RecordVersionBeingInstalled() {
  DeleteRegistryValue(Hkcu, kUserVendorKey, kTempCurrentVersionValue);
  AddRegistryValue(Hkcu, kUserVendorKey, kTempCurrentVersionValue, ProductVersion);
}

void SetInfoIniPath() {
  GetWindowsDirWithSlash(InfoIniPath, sizeof InfoIniPath);
  AppendName(InfoIniPath, sizeof InfoIniPath, kInfoRecordName);
}

// The other system holds another version: the user must remove it first.
void StopForOtherVersion() {
  char text[kDifferentVersionSize];
  std::snprintf(text, sizeof text, kDifferentVersionFormat, OtherSystemName(), OtherSystemName(),
                ThisSystemName());
  port::ShowMessageBox(0, text, kAbortingTitle, kDifferentVersionType);
  CloseSetupWindow();
}

// The answer taken over from the run before a restart, or given by the
// uninstaller that started this installation: Yes or No, nothing asked.
int HandedOverAnswer() {
  if (!IsCalledFromInstall()) return port::id::Yes;
  char key[kVersionKeySize];
  FormProductVersionKey(key, sizeof key);
  char recorded[kAnswerSize] = "";
  GetRegValue(Hklm, key, kUninstPrevVerValue, recorded, sizeof recorded);
  DeleteRegistryValue(Hklm, key, kUninstPrevVerValue);
  ClearCalledFromInstall();
  return recorded[0] == '1' ? port::id::Yes : port::id::No;
}

void RecordAnswer(int answer) {
  char key[kVersionKeySize];
  FormProductVersionKey(key, sizeof key);
  SetRegValue(Hklm, key, kUninstPrevVerValue, answer == port::id::Yes ? "1" : "0", 1);
}

void DeleteSetupDrv() {
  char key[kVersionKeySize];
  FormProductVersionKey(key, sizeof key);
  DeleteRegistryValue(Hklm, key, kSetupDrvValue);
}

// Yes: the previous version goes first, by its own uninstaller.
int RemovePreviousVersion(const char* sourceDir) {
  CloseProductPrograms(sourceDir);
  SetCalledFromInstall();
  if (!RunPreviousUninstaller()) {
    port::ShowMessageBox(port::ActiveWindow(), kNotUninstalledText, kNotUninstalledTitle,
                         kNotUninstalledType);
    CloseSetupWindow();
    ClearCalledFromInstall();
    return 0;
  }
  ClearCalledFromInstall();
  WaitForSetupDisk(sourceDir);
  return 1;
}

// No: the new version goes over the previous one, whose files stay; only
// its version key goes.
int InstallOverPreviousVersion(const char* sourceDir) {
  CloseProductPrograms(sourceDir);
  port::SleepFor(kSettleMilliseconds);
  char kept[kKeptVersionSize] = "";
  GetRegValue(Hklm, kVendorKey, kCurrentVersionValue, kept, sizeof kept);
  // Without a version there is no key of its own to delete.
  if (kept[0]) DeleteRegistryKey(Hklm, kVendorKey, kept);
  return 1;
}

}  // namespace

int HandleInitSetup(const char* argumentText) {
  InitSetupFields fields{};
  TakeInitSetupFields(argumentText, fields);
  RecordVersionBeingInstalled();
  ShortenInPlace(fields.sourceDir, sizeof fields.sourceDir);
  ShortenInPlace(fields.secondDir, sizeof fields.secondDir);
  SetInfoIniPath();

  if (!IsUninstallEntryPresent() && IsInstalledOnOtherSystem()) {
    // The same version there needs no copy: it is made usable here instead.
    if (std::atof(ProductVersion) == GetOtherSystemVersion()) {
      ReconfigureForThisSystem();
      return 0;
    }
    StopForOtherVersion();
    return 0;
  }

  RecordEdition(fields.editionType, std::atoi(fields.expressFlag), std::atoi(fields.oemFlag),
                std::atoi(fields.complimentaryFlag), fields.complimentaryName);

  if (!IsCalledFromInstall()) {
    const int warned = port::ShowMessageBox(0, kOtherAntiVirusText, kWarningTitle,
                                            kOtherAntiVirusType);
    if ((warned & 0xFFFF) == port::id::Cancel) {
      CloseSetupWindow();
      ClearCalledFromInstall();
      return 0;
    }
    // The scan's outcome is left in the registry for "/endsetup"; this stage
    // goes on whatever it found.
    port::RunModalDialog(ModuleInstance, kScanDialogTemplate, 0, PreInstallScanDialog, 0);
  }

  if (!IsUninstallEntryPresent()) return 1;

  int answer;
  if (IsCalledFromUninst() || IsCalledFromInstall()) {
    answer = HandedOverAnswer();
  } else {
    if ((GetZVVersionsInstalled() & kInstalledOnBoth) == kInstalledOnBoth) {
      port::ShowMessageBox(0, kInstalledTwiceText, kAbortingTitle, kInstalledTwiceType);
      CloseSetupWindow();
      return 0;
    }
    answer = port::ShowMessageBox(port::ActiveWindow(), kAlreadyInstalledText,
                                  kAlreadyInstalledTitle, kAlreadyInstalledType) &
             0xFFFF;
    RecordAnswer(answer);
  }
  DeleteSetupDrv();

  switch (answer) {
    case port::id::Cancel:
      CloseSetupWindow();
      return 0;
    case port::id::Yes:
      return RemovePreviousVersion(fields.sourceDir);
    case port::id::No:
      return InstallOverPreviousVersion(fields.sourceDir);
    default:
      return 1;
  }
}
