#include "scan/scan_dialog.h"

#include "frame/helpers.h"
#include "frame/paths.h"
#include "frame/registry_layout.h"
#include "frame/setup_state.h"
#include "frame/setup_window.h"
#include "scan/memory_stage.h"
#include "scan/system_walk.h"
#include "scan/virus_names.h"
#include "services/zvcfg/zvcfg.h"
#include "services/zvengine/zvengine.h"
#include "services/zvutil/zvutil.h"

namespace {

// The stage lines' icon controls, and the line of the file being scanned.
constexpr int kMemoryIcon = 1016;
constexpr int kBootRecordIcon = 1017;
constexpr int kSystemFilesIcon = 1018;
constexpr int kScanPathControl = 1015;

enum Stage : std::uintptr_t { kMemoryStage = 1, kBootRecordStage = 2, kSystemFilesStage = 3 };
constexpr unsigned kBootRecordPause = 1500;  // ms; the boot record itself is not read

port::Icon IconRunning, IconDone, IconWaiting;

void SetStageIcons(port::Window dialog, port::Icon memory, port::Icon bootRecord,
                   port::Icon systemFiles) {
  const struct {
    int control;
    port::Icon icon;
  } lines[] = {{kMemoryIcon, memory}, {kBootRecordIcon, bootRecord}, {kSystemFilesIcon, systemFiles}};
  for (const auto& line : lines)
    port::SendToWindow(port::DialogItem(dialog, line.control), port::StmSetIcon, line.icon, 0);
}

// Each stage works inside the handling of its message, which keeps the
// dialog from painting until it returns: the new icons go on the screen first.
void ShowStage(port::Window dialog, port::Icon memory, port::Icon bootRecord,
               port::Icon systemFiles) {
  SetStageIcons(dialog, memory, bootRecord, systemFiles);
  port::RepaintNow(dialog);
}

void ScanMemoryStage(port::Window dialog) {
  // Only Windows 95 runs viruses resident in memory that setup must fear.
  if (GetOS() == 1) {
    ShowStage(dialog, IconRunning, IconWaiting, IconWaiting);
    if (!ScanMemory(0)) {
      port::EndModalDialog(dialog, 1);
      CloseSetupWindow();
      return;
    }
  }
  port::PostToWindow(dialog, port::wm::User, kBootRecordStage, 0);
}

void ScanBootRecordStage(port::Window dialog) {
  ShowStage(dialog, IconDone, IconRunning, IconWaiting);
  port::SleepFor(kBootRecordPause);
  port::PostToWindow(dialog, port::wm::User, kSystemFilesStage, 0);
}

// A detection is left in the registry for the post-install stage, which then
// offers to disinfect; a clean walk removes what an earlier run left. When
// the engine does not start, nothing is scanned and the value is not touched.
void ScanSystemFilesStage(port::Window dialog) {
  port::ShowItem(dialog, kScanPathControl, port::sw::Show);
  ShowStage(dialog, IconDone, IconDone, IconRunning);
  char indexPath[kPathSize];
  GetModuleDir(indexPath, kPathSize);
  AppendName(indexPath, sizeof indexPath, "ZV.INX");
  if (InitScan(indexPath) == 1) {
    if (ScanSystemAreas() == 1)
      AddRegistryValue(port::HkeyCurrentUser, kUserVendorKey, kVirusFoundValue, "1");
    else
      DeleteRegistryValue(port::HkeyCurrentUser, kUserVendorKey, kVirusFoundValue);
    EndScan();
  }
  port::EndModalDialog(dialog, 1);
}

}  // namespace

// Returns 0 for every message, so that the default processing, painting
// included, always happens.
std::intptr_t PreInstallScanDialog(port::Window dialog, unsigned message, std::uintptr_t wParam,
                                   std::intptr_t) {
  switch (message) {
    case port::wm::InitDialog:
      ScanDialogWindow = dialog;
      CentreWindow(dialog);
      BuildVirusNameTables();
      IconRunning = port::LoadProgramIcon(ModuleInstance, 148);
      IconDone = port::LoadProgramIcon(ModuleInstance, 145);
      IconWaiting = port::LoadProgramIcon(ModuleInstance, 147);
      break;
    case port::wm::Paint:
      // The first paint starts the stages; later ones, the stages' own
      // repaints among them, start nothing.
      if (ScanPending) {
        ScanPending = false;
        port::PostToWindow(dialog, port::wm::User, kMemoryStage, 0);
      }
      break;
    case port::wm::User:
      if (wParam == kMemoryStage) ScanMemoryStage(dialog);
      else if (wParam == kBootRecordStage) ScanBootRecordStage(dialog);
      else if (wParam == kSystemFilesStage) ScanSystemFilesStage(dialog);
      break;
  }
  return 0;
}
