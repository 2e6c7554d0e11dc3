#include "support/fault_loop.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr int kMostRuns = 10000;  // a loop that never ends is a failure

int FaultsIn(const std::string& transcript) {
  int n = 0;
  for (std::size_t at = 0; (at = transcript.find("fault: ", at)) != std::string::npos; ++at) ++n;
  return n;
}

}  // namespace

FaultLoopTest::Figures FaultLoopTest::LoopFaults(const std::string& kind, bool fromNthOn,
                                                 const std::function<void()>& prepare,
                                                 const std::function<void()>& body,
                                                 const std::function<void()>& check) {
  Figures figures;
  for (int n = 1; n <= kMostRuns; ++n) {
    const std::string value = std::to_string(n) + (fromNthOn ? "+" : "");
    SCOPED_TRACE("[Faults] " + kind + "=" + value);
    prepare();
    SetMachineIni("Faults", kind, value);
    const sim::RunResult result = RunProcess(body);
    EXPECT_EQ(result.ending, sim::RunResult::Ending::Exited) << result.message;
    const int hit = FaultsIn(Transcript());
    ++figures.runs;
    figures.faults += hit;
    check();
    if (hit == 0 || ::testing::Test::HasFailure()) return figures;
    machine_.reset();
  }
  ADD_FAILURE() << "still hitting faults after " << kMostRuns << " runs";
  return figures;
}

std::map<std::string, std::string> FaultLoopTest::DiskFiles() const {
  std::map<std::string, std::string> files;
  const fs::path disk = fs::path(folder_) / "disk";
  for (const auto& entry : fs::recursive_directory_iterator(disk)) {
    if (!entry.is_regular_file()) continue;
    std::string rel = fs::relative(entry.path(), disk).generic_string();
    for (char& c : rel)
      if (c == '/') c = '\\';
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    files[rel.substr(0, 1) + ":" + rel.substr(1)] = bytes.str();
  }
  return files;
}
