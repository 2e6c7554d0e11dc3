// Waiting for other programs: the pump moves the virtual clock on, timers
// tick, started programs run until their windows go, the user closes what an
// answer says, and a wait that nothing can end stops the run.
#include <gtest/gtest.h>

#include "platform/port.h"
#include "support/machine_fixture.h"

namespace {

class WaitsTest : public MachineTest {};

int ticks = 0;
std::uint32_t lastTickTime = 0;
void CountTick(port::Window, unsigned message, std::uintptr_t, std::uint32_t time) {
  if (message == port::wm::Timer) ++ticks, lastTickTime = time;
}

TEST_F(WaitsTest, TimersTickOnTheVirtualClockWhileTheProgramPumps) {
  Make();
  ticks = 0;
  RunProcess([] {
    const std::uintptr_t id = port::StartTimer(0, 0, 100, CountTick);
    ASSERT_NE(id, 0u);
    while (ticks < 3) port::PumpMessage();
    port::StopTimer(0, id);
  });
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(lastTickTime, 300u);
}

TEST_F(WaitsTest, AStartedWindowProgramRunsUntilTheUserClosesItsWindow) {
  Make();
  PutFile("C:\\ZV\\ZVSCHED.EXE", "program");
  SetMachineIni("Programs", "ZVSCHED.EXE", "window \"Zelvane Scheduler\"");
  Answer("close \"Zelvane Scheduler\"\n");
  bool runningAtFirst = false, runningAfter = true;
  RunProcess([&] {
    port::StartProgram("C:\\ZV\\ZVSCHED.EXE", port::sw::Show, false);
    runningAtFirst = port::StartedProgramRunning();
    const port::Window w = port::FindTopWindow("Zelvane Scheduler");
    while (port::WindowVisible(w)) port::PumpMessage();
    runningAfter = port::StartedProgramRunning();
  });
  EXPECT_TRUE(runningAtFirst);
  EXPECT_FALSE(runningAfter);
  EXPECT_NE(Transcript().find("user closes window \"Zelvane Scheduler\"\n"
                              "program ZVSCHED.EXE: ended\n"),
            std::string::npos)
      << Transcript();
}

TEST_F(WaitsTest, AProgramWithoutWindowsHasEndedWhenStartReturns) {
  Make();
  PutFile("C:\\ZV\\ZVSTRUP.EXE", "program");
  bool running = true;
  RunProcess([&] {
    port::StartProgram("C:\\ZV\\ZVSTRUP.EXE /INIT", port::sw::Hide, false);
    running = port::StartedProgramRunning();
  });
  EXPECT_FALSE(running);
}

TEST_F(WaitsTest, AWaitThatNothingCanEndStopsTheRunAndNamesTheWindows) {
  Make();
  PutFile("C:\\ZV\\ZVSCHED.EXE", "program");
  SetMachineIni("Programs", "ZVSCHED.EXE", "window \"Zelvane Scheduler\"");
  const sim::RunResult r = RunProcess([] {
    port::StartProgram("C:\\ZV\\ZVSCHED.EXE", port::sw::Show, false);
    const port::Window w = port::FindTopWindow("Zelvane Scheduler");
    while (port::WindowVisible(w)) port::PumpMessage();
    ADD_FAILURE() << "the wait ended";
  });
  EXPECT_EQ(r.ending, sim::RunResult::Ending::Stopped);
  EXPECT_NE(r.message.find("\"Zelvane Scheduler\""), std::string::npos) << r.message;
}

TEST_F(WaitsTest, AWaitOnATimerAloneGivesUpAfterAnHourOfMachineTime) {
  Make();
  const sim::RunResult r = RunProcess([] {
    port::StartTimer(0, 0, 100, CountTick);
    for (;;) port::PumpMessage();
  });
  EXPECT_EQ(r.ending, sim::RunResult::Ending::Stopped);
  EXPECT_NE(r.message.find("waited an hour"), std::string::npos) << r.message;
}

TEST_F(WaitsTest, CloseAnswersNeedAQuotedTitle) {
  Make();
  EXPECT_THROW(Answer("close Zelvane\n"), sim::Error);
  EXPECT_THROW(Answer("close\n"), sim::Error);
}

}  // namespace
