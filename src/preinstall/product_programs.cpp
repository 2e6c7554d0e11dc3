#include "preinstall/product_programs.h"

#include "platform/port.h"
#include "preinstall/handover.h"
#include "preinstall/messages.h"
#include "preinstall/resume.h"
#include "services/zvutil/zvutil.h"

namespace {

// The product's window titles, found by exact title among top-level windows:
// the scanner, which only its user closes, then the two that close on WM_CLOSE.
constexpr int kTitleSize = 20;
constexpr char kProductWindows[3][kTitleSize] = {"ZVTileWindow", "Zelvane ToolBar", "ZV Scheduler"};
constexpr int kScannerSlot = 0;

}  // namespace

void CloseProductPrograms(const char* sourceDir) {
  for (int slot = 1; slot <= 2; ++slot)
    if (port::Window w = port::FindTopWindow(kProductWindows[slot]))
      port::SendToWindow(w, port::wm::Close, 0, 0);
  while (port::FindTopWindow(kProductWindows[kScannerSlot]))
    ShowSetupMessage(kScannerRunningText, kScannerRunningType);
  if (!IsAutoProtectLoaded()) return;
  ShowSetupMessage(kRebootText, kRebootType);
  SetCalledFromInstall();
  ScheduleResume(sourceDir);
  RemoveEntriesFromStartup();
  RestartWindows();
}
