#include "scan_test_util.h"

#include <sstream>

#include "frame/registry_layout.h"
#include "frame/setup_state.h"
#include "scan/scan_dialog.h"
#include "scan_fixtures.h"
#include "services/zvengine/zvengine.h"

namespace {
constexpr port::Instance kTestInstance = 0x400000;
}

void ScanTest::MakeScanMachine(sim::MachineKind kind) {
  Make(kind);
  PutFile(kIndexPath, ScanIndex());
}

sim::RunResult ScanTest::RunScanDialog(int reports) {
  for (int i = 0; i < reports; ++i) Answer("box \"Virus Found\" OK\n");
  return RunProcess([] {
    ResetSetupState();
    ModuleInstance = kTestInstance;
    port::RunModalDialog(ModuleInstance, kScanDialogTemplate, 0, PreInstallScanDialog, 0);
  });
}

void ScanTest::WithEngine(const std::function<void()>& body) {
  const sim::RunResult result = RunProcess([&] {
    ResetSetupState();
    ASSERT_EQ(InitScan(kIndexPath), 1);
    body();
    EndScan();
  });
  EXPECT_EQ(result.ending, sim::RunResult::Ending::Exited) << result.message;
}

std::vector<std::string> ScanTest::LinesStarting(const std::vector<std::string>& prefixes) const {
  std::vector<std::string> lines;
  std::istringstream in(Transcript());
  for (std::string line; std::getline(in, line);)
    for (const std::string& p : prefixes)
      if (line.rfind(p, 0) == 0) {
        lines.push_back(line);
        break;
      }
  return lines;
}

std::vector<std::string> ScanTest::Reports() const {
  std::vector<std::string> reports;
  const std::string start = "Found strains of ", end = ".\\nBecause";
  for (const std::string& line : LinesStarting({"box \"Virus Found\""})) {
    const auto from = line.find(start), to = line.find(end);
    if (from != std::string::npos && to != std::string::npos)
      reports.push_back(line.substr(from + start.size(), to - from - start.size()));
  }
  return reports;
}

std::vector<std::string> ScanTest::ScannedFiles() const {
  std::vector<std::string> files;
  const std::string prefix = "dialog 143: 1015 text \"";
  for (const std::string& line : LinesStarting({prefix}))
    files.push_back(line.substr(prefix.size(), line.size() - prefix.size() - 1));
  return files;
}

std::string ScanTest::VirusFoundValue() {
  std::string value = "(absent)";
  Open().ReadRegistry(port::HkeyCurrentUser, "Software\\Brackwell\\Zelvane", kVirusFoundValue,
                      value);
  return value;
}
