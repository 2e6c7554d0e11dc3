// Runs one operation again and again on fresh machines, each time with one
// more of its file operations failing, until a run hits no fault.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "support/machine_fixture.h"

class FaultLoopTest : public MachineTest {
 protected:
  struct Figures {
    int runs = 0;    // runs made, the one without a fault included
    int faults = 0;  // operations made to fail
  };

  // For N = 1, 2, ...: `prepare` makes a fresh machine (Make, PutFile ...),
  // machine.ini's [Faults] `kind` is set to N, or to N+ (every operation of
  // the kind from the Nth on) with `fromNthOn`, `body` runs as one process,
  // and `check` looks at the machine. The loop ends after the first run in
  // which no fault was hit. Each failure names the fault it ran with.
  Figures LoopFaults(const std::string& kind, bool fromNthOn, const std::function<void()>& prepare,
                     const std::function<void()>& body, const std::function<void()>& check);

  // Every file on the machine's disks by its path (C:\AUTOEXEC.BAT), with
  // its bytes; folders and the simulator's own records are left out.
  std::map<std::string, std::string> DiskFiles() const;
};
