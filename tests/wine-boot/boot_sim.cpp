// The boot files scenario on the simulated machine: a fresh Windows 95
// machine in the folder named by the first argument, whose ZVSTRUP.EXE is a
// program that ends; the dump goes to the second.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "platform/sim/sim.h"
#include "scenario.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  try {
    std::filesystem::remove_all(argv[1]);
    sim::CreateMachine(argv[1], sim::MachineKind::Windows95);
    auto machine = sim::Machine::Open(argv[1]);
    const std::string folder = machine->HostPath(kScenarioInstallFolder);
    std::filesystem::create_directories(folder);
    std::ofstream(folder + "/ZVSTRUP.EXE", std::ios::binary) << "start-up program";
    std::string dump;
    const sim::RunResult result = machine->Run([&] {
      PrepareBootFiles();
      RunBootOperations();
      dump = DumpBootFiles();
      return 0;
    });
    if (result.ending != sim::RunResult::Ending::Exited) {
      std::cerr << "the run did not end normally: " << result.message << "\n";
      return 1;
    }
    machine->Save();
    std::ofstream(argv[2], std::ios::binary) << dump;
    std::ofstream(argv[2] + std::string(".transcript"), std::ios::binary)
        << machine->TranscriptText();
  } catch (const sim::Error& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
