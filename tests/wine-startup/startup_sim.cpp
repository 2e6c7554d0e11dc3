// The component stages on the simulated machine, as the Wine side runs them:
// a Windows NT machine (as the Wine prefix reports itself) with the product
// in C:\ZV\. Writes the boxes, dialogs and closed windows in the robot's
// transcript form, then what the case left, to OUTPUT.
//
// Usage: startup_sim MACHINE CASE LIBRARY FLOPPY ANSWERS OUTPUT
//   CASE     startup, rescue, emergency, both, scheduler (scenario.h)
//   LIBRARY  none (no ZVRESCUE.DLL), real, no-rescue, no-emergency (a copy
//            without that export), returns-1, returns-0, returns-minus-1
//   FLOPPY   a (drive A holds an empty diskette) or none (no diskette drive)
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "builtin_libraries.h"
#include "platform/sim/sim.h"
#include "scenario.h"
#include "../wine/robot_form.h"

namespace fs = std::filesystem;

namespace {

void AddToMachineIni(const fs::path& machine, const std::string& section,
                     const std::string& line) {
  std::stringstream ini;
  ini << std::ifstream(machine / "machine.ini", std::ios::binary).rdbuf();
  std::string text = ini.str();
  const std::string header = "[" + section + "]\r\n";
  const auto at = text.find(header);
  if (at == std::string::npos) text += header + line + "\r\n";
  else text.insert(at + header.size(), line + "\r\n");
  std::ofstream(machine / "machine.ini", std::ios::binary) << text;
}

void Put(const fs::path& host, const std::string& bytes) {
  fs::create_directories(host.parent_path());
  std::ofstream(host, std::ios::binary) << bytes;
}

bool Library(const fs::path& machine, const std::string& library) {
  const fs::path dll = machine / "disk/C/ZV/ZVRESCUE.DLL";
  const std::string both = "simulated library\r\nexport RescueCreate\r\nexport CreateEmergencyDisk\r\n";
  if (library == "none") return true;
  if (library == "real") Put(dll, both);
  else if (library == "no-rescue") Put(dll, "simulated library\r\nexport CreateEmergencyDisk\r\n");
  else if (library == "no-emergency") Put(dll, "simulated library\r\nexport RescueCreate\r\n");
  else if (library.rfind("returns-", 0) == 0) {
    const std::string result = library == "returns-minus-1" ? "-1" : library.substr(8);
    Put(dll, both);
    AddToMachineIni(machine, "Rescue Library", "RescueCreate=" + result);
    AddToMachineIni(machine, "Rescue Library", "CreateEmergencyDisk=" + result);
  } else {
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 7) return 2;
  const fs::path machineDir = argv[1];
  const std::string kase = argv[2], library = argv[3], floppy = argv[4];
  try {
    fs::remove_all(machineDir);
    sim::CreateMachine(machineDir.string(), sim::MachineKind::WindowsNT);
    Put(machineDir / "disk/C/ZV/ZVNT.CNF", std::string(8, '\x07'));
    Put(machineDir / "disk/C/ZV/ZVSCHED.EXE", "simulated scheduler\r\n");
    AddToMachineIni(machineDir, "Programs", "ZVSCHED.EXE=window \"Zelvane Scheduler\"");
    // The start-up files as a fresh prefix has them.
    fs::remove(machineDir / "disk/C/AUTOEXEC.BAT");
    fs::remove(machineDir / "disk/C/CONFIG.SYS");
    Put(machineDir / "disk/C/WINNT/SYSTEM.INI", "[boot]\r\n");
    Put(machineDir / "disk/C/WINNT/WIN.INI", "[windows]\r\n");
    fs::remove(machineDir / "disk/A/SETUP.EXE");
    if (floppy == "none") AddToMachineIni(machineDir, "Drives", "A=absent");
    if (!Library(machineDir, library)) {
      std::cerr << "no library case " << library << "\n";
      return 2;
    }
    RegisterBuiltinLibraries();
    auto machine = sim::Machine::Open(machineDir.string());
    machine->LoadAnswers(argv[5]);

    std::string out;
    const sim::RunResult run = machine->Run([&] {
      out = RunComponentsCase(kase);
      return 0;
    });
    if (run.ending != sim::RunResult::Ending::Exited || out.empty()) {
      std::cerr << "the run did not end normally: " << run.message << "\n"
                << machine->TranscriptText();
      return 1;
    }
    std::ofstream file(argv[6], std::ios::binary);
    // A dialog that ends inside its initialisation is never shown, so the
    // robot sees only those the user acts on.
    std::string shown;
    bool boxAnswer = false;  // the next user line answers a box
    for (const std::string& line : machine->Transcript()) {
      if (line.rfind("box ", 0) == 0) {
        file << RobotForm(line) << "\n";
        boxAnswer = true;
      } else if (line.rfind("dialog ", 0) == 0 && line.find(" opens, ") != std::string::npos) {
        shown = line.substr(0, line.find(" opens, "));
      } else if (line.rfind("  user ", 0) == 0 && boxAnswer) {
        boxAnswer = false;
      } else if (line.rfind("  user ", 0) == 0 && !shown.empty()) {
        file << shown << "\n";
        shown.clear();
      } else if (line.rfind("dialog ", 0) == 0 && line.find(" ends with ") != std::string::npos) {
        shown.clear();
      } else if (line.rfind("user closes window ", 0) == 0) {
        file << "close " << line.substr(19) << "\n";
      }
    }
    file << out;
    machine->Save();
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
