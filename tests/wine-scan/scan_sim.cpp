// The scan scenario on the simulated machine, as the Wine side sees it: a
// Windows 95 machine (Windows directory C:\WINDOWS, the memory-scan library
// beside the program), the test files placed in it, one scan, the files
// removed, a second scan. Writes the test files (and the index) into FIXTURES
// for the Wine side, and what the user saw and the registry held after each
// scan into OUTPUT.
//
// Usage: scan_sim MACHINE FIXTURES OUTPUT
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "builtin_libraries.h"
#include "frame/setup_state.h"
#include "platform/sim/sim.h"
#include "scan_fixtures.h"
#include "scenario.h"

namespace fs = std::filesystem;

namespace {

// The test files, each with one scanner's marker, by their place under the
// Windows directory.
const struct {
  const char* path;
  std::string (*image)();
} kScanFixtures[] = {
    {"ZVTOP.COM", [] { return ComImage(0, {{3, kTopMarker}}); }},
    {"SYSTEM\\zvbot.drv", [] { return ComImage(0, {{-6, kBottomMarker}}); }},
    {"COMMAND\\ZVPE.EXE", [] { return PeImage({{kPeEntry, kPEMarker}}); }},
};

std::string HostRelative(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

void Write(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// Each "Virus Found" box as the comparison writes it: title, buttons, whether
// it shows an icon, and its text as the transcript quotes it.
std::string Boxes(const std::vector<std::string>& transcript, std::size_t from) {
  std::string out;
  for (std::size_t i = from; i < transcript.size(); ++i) {
    const std::string& line = transcript[i];
    if (line.rfind("box \"Virus Found\" [OK] ", 0) != 0) continue;
    const bool icon = line.find("] no icon,") == std::string::npos;
    const auto text = line.find(": \"");
    out += std::string("box \"Virus Found\" OK icon ") + (icon ? "shown" : "none") + ": " +
           line.substr(text + 3, line.size() - text - 4) + "\n";
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  try {
    const fs::path fixtures = argv[2];
    Write(fixtures / "ZV.INX", ScanIndex());
    for (const auto& f : kScanFixtures) Write(fixtures / HostRelative(f.path), f.image());

    fs::remove_all(argv[1]);
    sim::CreateMachine(argv[1], sim::MachineKind::Windows95);
    RegisterBuiltinLibraries();
    auto machine = sim::Machine::Open(argv[1]);
    Write(machine->HostPath("C:\\ZV Setup\\ZV.INX"), ScanIndex());
    for (const auto& f : kScanFixtures)
      Write(machine->HostPath(std::string("C:\\WINDOWS\\") + f.path), f.image());
    for (std::size_t i = 0; i < std::size(kScanFixtures); ++i)
      machine->AddAnswers("box \"Virus Found\" OK\n");

    std::string output;
    for (int run = 0; run < 2; ++run) {
      if (run == 1)
        for (const auto& f : kScanFixtures)
          fs::remove(machine->HostPath(std::string("C:\\WINDOWS\\") + f.path));
      const std::size_t from = machine->Transcript().size();
      std::string value;
      const sim::RunResult result = machine->Run([&] {
        ModuleInstance = 0x400000;
        value = RunScanOnce();
        return 0;
      });
      if (result.ending != sim::RunResult::Ending::Exited) {
        std::cerr << "the run did not end normally: " << result.message << "\n";
        return 1;
      }
      output += std::string(run == 0 ? "infected" : "clean") + "\n" +
                Boxes(machine->Transcript(), from) + value + "\n";
    }
    std::ofstream(argv[3], std::ios::binary) << output;
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
