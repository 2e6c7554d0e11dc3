// The records scenario on the real Win32 API: run under Wine, it writes the
// dump of what the record operations left to the file named by its argument.
#include <filesystem>
#include <fstream>

#include "scenario.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  for (const char* const* folder = kScenarioFolders; *folder; ++folder)
    std::filesystem::create_directories(*folder);
  PrepareOtherSystem();
  RunRecordOperations();
  std::ofstream(argv[1], std::ios::binary) << DumpRecords();
  return 0;
}
