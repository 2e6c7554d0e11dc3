#include "components/startup_components.h"

#include <cstdlib>

#include "frame/help.h"
#include "frame/helpers.h"
#include "frame/paths.h"
#include "frame/registry_layout.h"
#include "frame/setup_state.h"
#include "services/zvcfg/zvcfg.h"
#include "services/zvio/zvio.h"
#include "services/zvutil/zvutil.h"

namespace {

constexpr int kTemplate = 102;
constexpr int kFullTemplate = 103;  // edition Type 3: with the emergency diskette
constexpr int kFullEdition = 3;
constexpr int kEditionTypeSize = 4;  // the Type is read with room for 3 characters

constexpr int kNext = 1;
constexpr int kHelp = 1022;
constexpr int kOnlineProtectionBox = 1000;
constexpr int kSchedulerBox = 1001;
constexpr int kToolbarBox = 1002;
constexpr int kEmergencyDiskBox = 1003;
constexpr int kRescueDiskBox = 1004;
constexpr int kRescueTitle = 1027;
constexpr int kRescueText = 1028;

constexpr const char* kSchedulerValue = "Zelvane Scheduler";
constexpr const char* kToolbarValue = "Zelvane ToolBar";
constexpr const char* kOnlineProtectionValue = "Zelvane On-Line Protection";
constexpr int kReadWrite = 2;

bool FullEdition() { return (GetEditionType() & 0xFFFF) == kFullEdition; }

void InitStartupComponents(port::Window dialog) {
  CentreWindow(dialog);
  const bool windows95 = GetOS() == 1;
  WantScheduler = 1;
  WantOnlineProtection = 1;
  WantToolbar = 1;
  WantEmergencyDisk = FullEdition() ? 1 : 0;
  WantRescueDisk = windows95 ? 1 : 0;
  port::SetItemCheck(dialog, kOnlineProtectionBox, WantOnlineProtection);
  port::SetItemCheck(dialog, kSchedulerBox, WantScheduler);
  port::SetItemCheck(dialog, kToolbarBox, WantToolbar);
  if (FullEdition()) port::SetItemCheck(dialog, kEmergencyDiskBox, WantEmergencyDisk);
  port::SetItemCheck(dialog, kRescueDiskBox, WantRescueDisk);
  // The rescue diskette is made on Windows 95 only; template 103 has no
  // texts of its own for it, so only the box goes grey there.
  if (!windows95) {
    port::EnableItem(dialog, kRescueDiskBox, false);
    port::EnableItem(dialog, kRescueTitle, false);
    port::EnableItem(dialog, kRescueText, false);
  }
}

void ReadStartupComponents(port::Window dialog) {
  WantOnlineProtection = static_cast<std::int32_t>(port::GetItemCheck(dialog, kOnlineProtectionBox));
  WantScheduler = static_cast<std::int32_t>(port::GetItemCheck(dialog, kSchedulerBox));
  WantToolbar = static_cast<std::int32_t>(port::GetItemCheck(dialog, kToolbarBox));
  if (FullEdition())
    WantEmergencyDisk = static_cast<std::int32_t>(port::GetItemCheck(dialog, kEmergencyDiskBox));
  WantRescueDisk = static_cast<std::int32_t>(port::GetItemCheck(dialog, kRescueDiskBox));
}

void AddRunValue(const char* name, const char* program) {
  char command[kPathSize];
  CopyText(command, sizeof command, InstallDir);
  AppendName(command, sizeof command, program);
  AddRegistryValue(port::HkeyLocalMachine, kRunKey, name, command);
}

void PutLittleEndian16(unsigned char* at, std::int32_t value) {
  at[0] = static_cast<unsigned char>(value & 0xFF);
  at[1] = static_cast<unsigned char>((value >> 8) & 0xFF);
}

}  // namespace

int GetEditionType() {
  char type[kEditionTypeSize] = "";
  GetRegValue(port::HkeyCurrentUser, kUserVendorKey, kTypeValue, type, sizeof type);
  return std::atoi(type);
}

void RunStartupComponentsDialog() {
  const int templateId = FullEdition() ? kFullTemplate : kTemplate;
  port::RunModalDialog(ModuleInstance, templateId, 0, StartupComponentsDialog, 0);
}

std::intptr_t StartupComponentsDialog(port::Window dialog, unsigned message,
                                      std::uintptr_t wParam, std::intptr_t) {
  switch (message) {
    case port::wm::InitDialog:
      InitStartupComponents(dialog);
      return 1;
    case port::wm::Command:
      if ((wParam & 0xFFFF) == kNext) {
        ReadStartupComponents(dialog);
        port::EndModalDialog(dialog, 1);
      } else if ((wParam & 0xFFFF) == kHelp) {
        // The edition sets the topic's lowest bit: 74496 or 74497.
        OpenHelpTopic(dialog, kHelpStartupComponents | (FullEdition() ? 1 : 0));
      } else {
        // A click on a box, or Escape: the dialog stays, its help goes.
        CloseHelp(dialog);
      }
      return 1;
    case port::wm::Destroy:
      CloseHelp(dialog);
      return 1;
    default:
      return 0;
  }
}

void RegisterStartupPrograms() {
  char config[kPathSize];
  CopyText(config, sizeof config, InstallDir);
  AppendName(config, sizeof config, GetOS() == 1 ? "ZV95.CNF" : "ZVNT.CNF");
  void* file = my_open(config, kReadWrite);

  DeleteRegistryValue(port::HkeyLocalMachine, kRunKey, kSchedulerValue);
  DeleteRegistryValue(port::HkeyLocalMachine, kRunKey, kToolbarValue);
  DeleteRegistryValue(port::HkeyLocalMachine, kRunKey, kOnlineProtectionValue);
  if (WantScheduler) AddRunValue(kSchedulerValue, "ZVSCHED.EXE /startup");
  if (WantToolbar) AddRunValue(kToolbarValue, "ZVDOCK.EXE");
  if (WantOnlineProtection) AddRunValue(kOnlineProtectionValue, "VIGARD.EXE");

  // The startup record: toolbar, scheduler, on-line protection, each a
  // 16-bit little-endian flag at the very start of the file. A file that
  // cannot be opened keeps whatever it held; nothing else is written.
  if (file == ZvioFailed) return;
  unsigned char record[6];
  PutLittleEndian16(record, WantToolbar);
  PutLittleEndian16(record + 2, WantScheduler);
  PutLittleEndian16(record + 4, WantOnlineProtection);
  my_lseek(file, 0, 0);
  my_write(file, record, sizeof record);
  my_close(file);
}
