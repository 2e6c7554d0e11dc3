// The memory stage on the simulated machine, as the Wine side runs it:
// `ScanMemory` with option 0 and one library case. Writes each box in the
// robot's transcript form, then the result, to OUTPUT.
//
// Usage: memory_sim MACHINE CASE OUTPUT
//   CASE  absent (no library), corrupt (no export), clean, infected (a virus
//         active in memory)
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "builtin_libraries.h"
#include "platform/sim/sim.h"
#include "scan/memory_stage.h"
#include "../wine/robot_form.h"

namespace fs = std::filesystem;

namespace {

constexpr char kLibrary[] = "C:\\ZV Setup\\ZVMSI32.DLL";

void AddToMachineIni(const fs::path& machine, const std::string& section,
                     const std::string& line) {
  std::stringstream ini;
  ini << std::ifstream(machine / "machine.ini", std::ios::binary).rdbuf();
  std::string text = ini.str();
  const std::string header = "[" + section + "]\r\n";
  text.insert(text.find(header) + header.size(), line + "\r\n");
  std::ofstream(machine / "machine.ini", std::ios::binary) << text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  const std::string kase = argv[2];
  try {
    fs::remove_all(argv[1]);
    sim::CreateMachine(argv[1], sim::MachineKind::Windows95);
    if (kase == "infected") AddToMachineIni(argv[1], "Memory", "ActiveVirus=yes");
    RegisterBuiltinLibraries();
    auto machine = sim::Machine::Open(argv[1]);
    if (kase == "absent") {
      fs::remove(machine->HostPath(kLibrary));
    } else if (kase == "corrupt") {
      std::ofstream(machine->HostPath(kLibrary), std::ios::binary) << "simulated library\r\n";
    } else if (kase != "clean" && kase != "infected") {
      std::cerr << "no case " << kase << "\n";
      return 2;
    }
    machine->AddAnswers("box \"Error\" OK\n");

    int result = -1;
    const sim::RunResult run = machine->Run([&] {
      result = ScanMemory(0);
      return 0;
    });
    if (run.ending != sim::RunResult::Ending::Exited) {
      std::cerr << "the run did not end normally: " << run.message << "\n";
      return 1;
    }
    std::ofstream out(argv[3], std::ios::binary);
    for (const std::string& line : machine->Transcript())
      if (line.rfind("box ", 0) == 0) out << RobotForm(line) << "\n";
    out << "ScanMemory: " << result << "\n";
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
