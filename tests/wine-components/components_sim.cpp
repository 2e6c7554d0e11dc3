// The components scenario on the simulated machine, as the Wine side sees
// it: each step on a fresh Windows 95 machine, answered by the same script
// as the robot's, and written as the comparison reads it: the boxes, the
// components dialog's boxes as it ended, the windows Word was told to close,
// then what the step left.
//
// Usage: components_sim MACHINES OUTPUT
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "builtin_libraries.h"
#include "frame/setup_state.h"
#include "platform/sim/sim.h"
#include "scenario.h"

namespace fs = std::filesystem;

namespace {

const char* const kSteps[] = {"dialog", "word", "word-user-closes", "word-ends-early", "shell"};

std::string Answers(const std::string& step) {
  if (step == "dialog") return "box \"Warning\" OK\ndialog 149 press 1\n";
  if (step == "word-user-closes") return "close \"ZVFW Installation Over\"\n";
  return "";
}

void AddProgram(const fs::path& machineIni, const std::string& behaviour) {
  std::ifstream in(machineIni, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  std::string text = s.str();
  const std::string section = "[Programs]\r\n";
  text.insert(text.find(section) + section.size(), "WINWORD.EXE=" + behaviour + "\r\n");
  std::ofstream(machineIni, std::ios::binary) << text;
}

// What a person saw, in the comparison's words.
std::string Seen(const std::vector<std::string>& transcript) {
  std::string out;
  bool ended = false;
  for (const std::string& line : transcript) {
    if (line.rfind("box ", 0) == 0) {
      const auto buttons = line.find(" [");
      const auto close = line.find("] ", buttons);
      const bool icon = line.find("] no icon,") == std::string::npos;
      const auto text = line.find(": \"");
      out += line.substr(0, buttons) + " " + line.substr(text + 2) + " buttons " +
             line.substr(buttons + 2, close - buttons - 2) + " icon " + (icon ? "shown" : "none") +
             "\n";
    } else if (line.rfind("dialog 149 ends with", 0) == 0) {
      ended = true;
    } else if (ended && line.rfind("  10", 0) == 0) {
      const std::string id = line.substr(2, 4);
      out += id + (line.find("\" checked") != std::string::npos ? " checked" : " unchecked") +
             (line.find(" disabled") != std::string::npos ? " disabled" : "") + "\n";
    } else if (line.rfind("user closes window ", 0) == 0) {
      // The user's close reaches Word as WM_CLOSE, which the stand-in logs.
      out += "user closes " + line.substr(19) + "\nclosed " + line.substr(19) + "\n";
    } else if (line.find("\": WM_CLOSE") != std::string::npos) {
      out += "closed " + line.substr(7, line.find("\": WM_CLOSE") - 6) + "\n";
    } else {
      ended = false;
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  try {
    RegisterBuiltinLibraries();
    std::string output;
    for (const std::string step : kSteps) {
      const fs::path folder = fs::path(argv[1]) / step;
      fs::remove_all(folder);
      sim::CreateMachine(folder.string(), sim::MachineKind::Windows95);
      AddProgram(folder / "machine.ini", WordBehaviour(step));
      auto machine = sim::Machine::Open(folder.string());
      fs::create_directories(machine->HostPath("C:\\ZV"));
      fs::create_directories(machine->HostPath("C:\\WINWORD\\TEMPLATE"));
      if (step.rfind("word", 0) == 0)
        std::ofstream(machine->HostPath("C:\\WINWORD\\WINWORD.EXE"), std::ios::binary) << "word";
      machine->AddAnswers(Answers(step));
      std::string result;
      const sim::RunResult run = machine->Run([&] {
        PrepareStep(step);
        ModuleInstance = 0x400000;
        result = RunStep(step);
        return 0;
      });
      if (run.ending != sim::RunResult::Ending::Exited) {
        std::cerr << step << ": the run did not end normally: " << run.message << "\n";
        return 1;
      }
      output += "== " + step + "\n" + Seen(machine->Transcript()) + result;
    }
    std::ofstream(argv[2], std::ios::binary) << output;
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
