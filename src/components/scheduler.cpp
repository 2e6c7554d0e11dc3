// The offer to schedule scans at once, and the wait while the user does so
// in the scheduler.
#include "components/startup_components.h"
#include "frame/paths.h"
#include "frame/setup_state.h"
#include "services/zvutil/zvutil.h"

namespace {
constexpr unsigned kSchedulerStartup = 2500;  // ms for the scheduler to open its window
constexpr const char* kSchedulerWindow = "Zelvane Scheduler";
}  // namespace

void OfferScheduler() {
  if (port::ShowMessageBox(0,
                           "Zelvane comes with a powerful scheduler to schedule the scans.\n"
                           "Would you like to schedule the Zelvane scanner now?",
                           "Schedule Zelvane Scanner",
                           port::mb::YesNo | port::mb::IconQuestion) == port::id::Yes)
    RunSchedulerSetup();
}

void RunSchedulerSetup() {
  char program[kPathSize];
  CopyText(program, sizeof program, InstallDir);
  AppendName(program, sizeof program, "ZVSCHED.EXE");
  ExecFile(program, "", port::sw::Show, 0, 0);
  port::SleepFor(kSchedulerStartup);
  const port::Window scheduler = port::FindTopWindow(kSchedulerWindow);
  if (!scheduler) return;
  // Setup goes on once the user has closed or hidden the scheduler's window,
  // however long that takes; but a scheduler that has ended without taking
  // its window away (it crashed) leaves no one to close it.
  while (port::WindowVisible(scheduler) && port::StartedProgramRunning()) port::PumpMessage();
}
