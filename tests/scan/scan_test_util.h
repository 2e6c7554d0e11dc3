// A simulated machine with the scan's index beside the program, the scan
// dialog run as one process, and what the user saw of it.
#pragma once

#include <string>
#include <vector>

#include "support/machine_fixture.h"

constexpr char kIndexPath[] = "C:\\ZV Setup\\ZV.INX";

class ScanTest : public MachineTest {
 protected:
  // A machine with the index in place.
  void MakeScanMachine(sim::MachineKind kind = sim::MachineKind::Windows95);
  // Opens the scan dialog as the pre-install stage does, in a fresh process;
  // every "Virus Found" box is answered with OK.
  sim::RunResult RunScanDialog(int reports = 0);
  // Runs `body` with the engine started on the index.
  void WithEngine(const std::function<void()>& body);

  // Each "Virus Found" report as "NAME in PATH".
  std::vector<std::string> Reports() const;
  // The paths the dialog showed as the file being scanned, in order.
  std::vector<std::string> ScannedFiles() const;
  // The transcript's lines that begin with any of `prefixes`.
  std::vector<std::string> LinesStarting(const std::vector<std::string>& prefixes) const;

  std::string VirusFoundValue();
};
