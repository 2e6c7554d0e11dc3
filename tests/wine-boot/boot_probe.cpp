// The boot files scenario on the real Win32 API: run under Wine, it writes
// the dump of the files to the file named by its argument.
#include <filesystem>
#include <fstream>

#include "scenario.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::filesystem::create_directories(kScenarioInstallFolder);
  // A path that starts with a backslash names the root of this drive.
  std::filesystem::current_path("C:\\");
  PrepareBootFiles();
  RunBootOperations();
  std::ofstream(argv[1], std::ios::binary) << DumpBootFiles();
  return 0;
}
