// The records scenario on the simulated machine: a fresh Windows NT machine
// in the folder named by the first argument; the dump goes to the second.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "platform/sim/sim.h"
#include "scenario.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  try {
    std::filesystem::remove_all(argv[1]);
    sim::CreateMachine(argv[1], sim::MachineKind::WindowsNT);
    auto machine = sim::Machine::Open(argv[1]);
    for (const char* const* folder = kScenarioFolders; *folder; ++folder)
      std::filesystem::create_directories(machine->HostPath(*folder));
    std::string dump;
    const sim::RunResult result = machine->Run([&] {
      PrepareOtherSystem();
      RunRecordOperations();
      dump = DumpRecords();
      return 0;
    });
    if (result.ending != sim::RunResult::Ending::Exited) {
      std::cerr << "the run did not end normally: " << result.message << "\n";
      return 1;
    }
    machine->Save();
    std::ofstream(argv[2], std::ios::binary) << dump;
  } catch (const sim::Error& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
