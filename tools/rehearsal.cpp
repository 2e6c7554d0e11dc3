#include "rehearsal.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <vector>

#include "builtin_libraries.h"
#include "platform/port.h"
#include "machine_changes.h"
#include "platform/sim/files.h"
#include "platform/sim/ini_file.h"
#include "platform/sim/sim.h"
#include "platform/sim/text.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kLocalMachine = 0x80000002u;
constexpr const char* kUninstallKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelvane";
constexpr std::uintptr_t kModuleInstance = 0x400000;

struct Step {
  std::string kind;  // "stage", "copy", "uninstall-entry", "restart", "boot"
  std::string text;  // the argument text, or the step's words
  int line = 0;
};

struct Scenario {
  sim::MachineKind kind = sim::MachineKind::Windows95;
  std::string kindName;
  std::string boot;
  std::vector<Step> steps;
};

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

Scenario ReadScenario(const std::string& folder) {
  std::string text;
  if (!sim::ReadHostFile(folder + "/scenario", text))
    throw sim::Error(folder + " is not a scenario: it has no file \"scenario\"");
  Scenario s;
  std::istringstream in(text);
  std::string raw;
  int number = 0;
  while (std::getline(in, raw)) {
    ++number;
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == '#') continue;
    const std::string where = "scenario:" + std::to_string(number) + ": ";
    const auto blank = line.find(' ');
    const std::string word = line.substr(0, blank);
    const std::string rest = blank == std::string::npos ? "" : Trim(line.substr(blank));
    if (line[0] == '/') {
      s.steps.push_back({"stage", line, number});
    } else if (word == "machine") {
      if (rest == "95") s.kind = sim::MachineKind::Windows95;
      else if (rest == "nt" || rest == "NT") s.kind = sim::MachineKind::WindowsNT;
      else if (rest == "dual") s.kind = sim::MachineKind::DualBoot;
      else throw sim::Error(where + "machine 95, nt or dual, not " + sim::Quote(rest));
      s.kindName = rest;
    } else if (word == "boot") {
      if (rest != "95" && rest != "NT" && rest != "nt")
        throw sim::Error(where + "boot 95 or boot NT, not " + sim::Quote(rest));
      // Before the first stage it says which Windows runs; later, the user
      // starts the other Windows of a dual-boot machine.
      if (s.steps.empty()) s.boot = rest;
      else s.steps.push_back({"boot", sim::Upper(rest), number});
    } else if (word == "copy" || word == "uninstall-entry" || word == "restart") {
      if ((word == "restart") != rest.empty()) throw sim::Error(where + "bad " + word + " step");
      if (word == "copy" && rest.find(' ') == std::string::npos)
        throw sim::Error(where + "copy FROM TO");
      s.steps.push_back({word, rest, number});
    } else {
      throw sim::Error(where + "unknown step " + sim::Quote(word));
    }
  }
  if (s.kindName.empty()) throw sim::Error(folder + "/scenario: no machine line");
  return s;
}

// The scenario's additions to the fresh machine: its files, its machine.ini
// entries and its registry content for the booted system.
void Furnish(const std::string& scenario, const std::string& machine, const std::string& system) {
  if (fs::is_directory(scenario + "/disk"))
    fs::copy(scenario + "/disk", machine + "/disk",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  std::string text;
  if (sim::ReadHostFile(scenario + "/machine.ini", text)) {
    std::string iniText;
    sim::ReadHostFile(machine + "/machine.ini", iniText);
    sim::IniFile ini = sim::IniFile::Parse(iniText);
    std::istringstream in(text);
    std::string line, section;
    while (std::getline(in, line)) {
      line = Trim(line);
      if (line.empty() || line[0] == ';' || line[0] == '#') continue;
      if (line[0] == '[') section = line.substr(1, line.find(']') - 1);
      else if (line.find('=') != std::string::npos)
        ini.Set(section, Trim(line.substr(0, line.find('='))), Trim(line.substr(line.find('=') + 1)));
    }
    sim::WriteHostFileAtomically(machine + "/machine.ini", ini.Text());
  }
  if (sim::ReadHostFile(scenario + "/registry", text)) {
    // Each key goes to the file of its root; a repeated key adds its values.
    std::istringstream in(text);
    std::string line, root;
    std::map<std::string, std::string> byRoot;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.rfind("[HKEY_", 0) == 0) {
        root = line.substr(1, line.find_first_of("\\]") - 1);
        byRoot[root] += "\r\n";
      }
      if (!root.empty()) byRoot[root] += line + "\r\n";
    }
    for (const auto& [name, added] : byRoot) {
      const std::string file = machine + "/registry/" + system + "/" + name + ".reg";
      std::string existing = "REGEDIT4\r\n";
      sim::ReadHostFile(file, existing);
      sim::WriteHostFileAtomically(file, existing + added);
    }
  }
}

void PrintSlice(const sim::Machine& machine, std::size_t& shown, std::FILE* out) {
  const auto& lines = machine.Transcript();
  for (; shown < lines.size(); ++shown) std::fprintf(out, "%s\n", lines[shown].c_str());
}

bool SetupWindowClosed(const sim::Machine& machine, std::size_t from) {
  const auto& lines = machine.Transcript();
  for (std::size_t i = from; i < lines.size(); ++i)
    if (lines[i].rfind("window \"Setup\": WM_CLOSE", 0) == 0) return true;
  return false;
}

// The front end copies the files of a folder into the install directory.
void CopyFolder(sim::Machine& machine, const std::string& words, std::FILE* out) {
  const auto blank = words.find(' ');
  const std::string from = words.substr(0, blank), to = Trim(words.substr(blank));
  const fs::path source = machine.HostPath(from), target = machine.HostPath(to);
  if (source.empty() || !fs::is_directory(source))
    throw sim::Error("copy: " + from + " is not a folder on the machine");
  fs::create_directories(target);
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(source))
    if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    fs::copy_file(source / name, target / name, fs::copy_options::overwrite_existing);
    std::fprintf(out, "file %s\\%s: copied from %s\n", to.c_str(), name.c_str(), from.c_str());
  }
}

std::string BootedSystem(const Scenario& scenario) {
  std::string system = sim::Upper(scenario.boot);
  if (system.empty()) system = scenario.kind == sim::MachineKind::WindowsNT ? "NT" : "95";
  return system;
}

}  // namespace

void MakeScenarioMachine(const std::string& scenarioFolder, const std::string& machineFolder) {
  const Scenario scenario = ReadScenario(scenarioFolder);
  sim::CreateMachine(machineFolder, scenario.kind);
  Furnish(scenarioFolder, machineFolder, BootedSystem(scenario));
}

StepsOutcome RunScenarioSteps(const std::string& scenarioFolder, const std::string& machineFolder,
                              std::FILE* out, const std::string& moreAnswers,
                              const std::function<void()>& afterEachStep) {
  const Scenario scenario = ReadScenario(scenarioFolder);
  const std::string system = BootedSystem(scenario);
  auto machine = sim::Machine::Open(machineFolder, system);
  if (fs::exists(scenarioFolder + "/answers")) machine->LoadAnswers(scenarioFolder + "/answers");
  if (!moreAnswers.empty()) machine->AddAnswers(moreAnswers);
  RegisterBuiltinLibraries();
  sim::RegisterProgram("ZVSET.EXE", [](const std::string& arguments) {
    return ZvsetMain(kModuleInstance, arguments.c_str());
  });
  std::fprintf(out, "Rehearsal on a fresh machine (%s), Windows %s running\n",
               scenario.kindName.c_str(), system.c_str());
  StepsOutcome outcome;
  std::size_t shown = 0;
  bool restartDue = false;
  int stage = 0;
  for (const Step& step : scenario.steps) {
    if (restartDue && step.kind != "restart")
      throw sim::Error("scenario:" + std::to_string(step.line) +
                       ": Windows restarted; the next step must be restart");
    if (step.kind == "stage") {
      std::fprintf(out, "\n=== %d. The front end runs ZVSET %s\n", ++stage, step.text.c_str());
      const std::size_t from = shown;
      const sim::RunResult result =
          machine->Run([&] { return ZvsetMain(kModuleInstance, step.text.c_str()); });
      PrintSlice(*machine, shown, out);
      if (result.ending == sim::RunResult::Ending::Stopped) {
        std::fprintf(out, "the rehearsal stops: %s\n", result.message.c_str());
        outcome.stopped = result.message;
        return outcome;
      }
      restartDue = result.ending == sim::RunResult::Ending::Restarted;
      if (restartDue) std::fprintf(out, "ended by the restart of Windows\n");
      else std::fprintf(out, "exit code %d\n", result.exitCode);
      if (SetupWindowClosed(*machine, from)) {
        std::fprintf(out, "\n=== The front end's window is closed: the installation ends here\n");
        break;
      }
    } else if (step.kind == "restart") {
      std::fprintf(out, "\n=== Windows starts again\n");
      machine->Boot();
      PrintSlice(*machine, shown, out);
      restartDue = false;
    } else if (step.kind == "boot") {
      if (scenario.kind != sim::MachineKind::DualBoot)
        throw sim::Error("scenario:" + std::to_string(step.line) +
                         ": only a dual-boot machine starts another Windows");
      std::fprintf(out, "\n=== The user starts Windows %s\n", step.text.c_str());
      machine->StartOtherSystem(step.text);
      PrintSlice(*machine, shown, out);
    } else if (step.kind == "copy") {
      std::fprintf(out, "\n=== The front end copies the product's files\n");
      CopyFolder(*machine, step.text, out);
    } else {
      std::fprintf(out, "\n=== The front end registers its uninstaller\n");
      machine->WriteRegistry(kLocalMachine, kUninstallKey, "UninstallString", step.text);
      machine->Save();
      std::fprintf(out, "registry HKEY_LOCAL_MACHINE\\%s: \"UninstallString\" = %s\n",
                   kUninstallKey, sim::Quote(step.text).c_str());
    }
    if (afterEachStep) {
      machine->Save();
      afterEachStep();
    }
  }
  machine->NoteUnusedAnswers();
  PrintSlice(*machine, shown, out);
  machine->Save();
  outcome.finished = true;
  return outcome;
}

int Rehearse(const std::string& scenarioFolder, const std::string& machineFolder) {
  try {
    MakeScenarioMachine(scenarioFolder, machineFolder);
    const rehearsal::MachineSnapshot before = rehearsal::TakeSnapshot(machineFolder);
    if (!RunScenarioSteps(scenarioFolder, machineFolder, stdout).finished) return 1;
    std::printf("\n=== What the installation changed on the machine\n");
    for (const std::string& line :
         rehearsal::CompareSnapshots(before, rehearsal::TakeSnapshot(machineFolder)))
      std::printf("%s\n", line.c_str());
    return 0;
  } catch (const sim::Error& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "zvsim rehearse: %s\n", e.what());
    return 1;
  }
}
