// machine.ini: the settings a simulated machine is opened with.
//
// Property: any machine.ini either is refused with sim::Error when the
// machine is opened, or gives a machine on which a small program (the
// system's directories, the module's name, drives, the clock, programs and
// windows) runs to its end or is stopped with a message; the machine.ini it
// saves opens again and is saved again byte for byte the same.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "fuzz_support.h"
#include "platform/port.h"
#include "platform/sim/sim.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

int SmallProgram() {
  char buffer[300];
  port::WindowsDirectory(buffer, sizeof buffer);
  port::ModuleFileName(buffer, sizeof buffer);
  port::ShortPathName(buffer, buffer, sizeof buffer);
  port::ComputerName(buffer, sizeof buffer);
  port::EnvironmentVariable("PATH", buffer, sizeof buffer);
  port::SystemKind();
  port::Today();
  port::DriveReady(0);
  port::DriveReady(1);
  port::FileAttributes("C:\\AUTOEXEC.BAT");
  port::FindTopWindow("Setup");
  port::StartProgram("C:\\WINDOWS\\NOTEPAD.EXE", 1, true);
  port::SleepFor(10);
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A machine whose disk and registry are those CreateMachine makes, reused
  // from one input to the next; only machine.ini is the input's.
  static const std::string folder = [] {
    const std::string f = fuzz::ScratchFolder() + "/ini-machine";
    sim::CreateMachine(f, sim::MachineKind::DualBoot);
    return f;
  }();
  std::ofstream(folder + "/machine.ini", std::ios::binary)
      << std::string(reinterpret_cast<const char*>(data), size);
  std::unique_ptr<sim::Machine> machine;
  try {
    machine = sim::Machine::Open(folder);
  } catch (const sim::Error&) {
    return 0;
  }
  machine->Run(SmallProgram);
  machine.reset();
  const std::string saved = ReadAll(folder + "/machine.ini");
  sim::Machine::Open(folder)->Save();
  FUZZ_CHECK(ReadAll(folder + "/machine.ini") == saved);
  return 0;
}
