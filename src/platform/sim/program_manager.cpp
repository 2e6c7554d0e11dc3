// The program manager's command set as the shell serves it: DeleteGroup,
// CreateGroup, ShowGroup and AddItem, the commands a setup program uses.
#include "platform/sim/program_manager.h"

#include <filesystem>
#include <vector>

#include "platform/sim/files.h"
#include "platform/sim/state.h"
#include "platform/sim/text.h"

namespace fs = std::filesystem;

namespace sim {
namespace {

// The group that AddItem adds to: the last one created or shown. The shell
// keeps it from one conversation to the next.
std::string& CurrentGroup() { return Current().programManagerGroup; }

// Where the booted Windows keeps its Start Menu's programs: machine.ini's
// StartMenuPrograms of the system's section, or the system's own place.
std::string ProgramsFolder() {
  Machine::State& m = Current();
  const std::string windows = m.ini.Get(m.SystemSection(), "WindowsDir",
                                        m.system == "95" ? "C:\\WINDOWS" : "C:\\WINNT");
  const std::string fallback = m.system == "95"
                                   ? windows + "\\Start Menu\\Programs"
                                   : windows + "\\Profiles\\Default User\\Start Menu\\Programs";
  return m.ini.Get(m.SystemSection(), "StartMenuPrograms", fallback);
}

// Characters that cannot stand in a file name, so not in a group's or an
// item's name either.
bool ValidName(const std::string& name) {
  return !name.empty() && name.find_first_of("\\/:*?\"<>|") == std::string::npos;
}

// Makes every missing folder of a Windows path, each with its alias.
void MakeFolders(const std::string& windowsPath) {
  Machine::State& m = Current();
  const WindowsPath parts = SplitWindowsPath(windowsPath);
  WindowsPath upTo{parts.drive, {}};
  for (const std::string& part : parts.parts) {
    upTo.parts.push_back(part);
    const Resolved r = m.disk.Resolve(JoinWindowsPath(upTo));
    if (r.exists) continue;
    std::error_code ec;
    fs::create_directory(r.host, ec);
    m.disk.NameCreated(r);
  }
}

bool DeleteGroup(const std::vector<std::string>& args) {
  if (args.size() != 1 || !ValidName(args[0])) return false;
  Machine::State& m = Current();
  const Resolved r = m.disk.Resolve(ProgramsFolder() + "\\" + args[0]);
  if (!r.exists) return false;  // the shell answers that there is no such group
  std::error_code ec;
  fs::remove_all(r.host, ec);
  m.disk.NameRemoved(r);
  m.Note("shell: group " + Quote(args[0]) + " deleted with its items");
  return true;
}

// The second argument is a group file's path on older shells and a common
// group's flag on newer ones; either way the group is a folder here.
bool CreateGroup(const std::vector<std::string>& args) {
  if (args.empty() || args.size() > 2 || !ValidName(args[0])) return false;
  const std::string path = ProgramsFolder() + "\\" + args[0];
  const bool existed = Current().disk.Resolve(path).exists;
  MakeFolders(path);
  CurrentGroup() = args[0];
  if (!existed) Current().Note("shell: group " + Quote(args[0]) + " created");
  return true;
}

bool ShowGroup(const std::vector<std::string>& args) {
  if (args.size() != 2 || !ValidName(args[0])) return false;
  if (args[1].empty() || args[1].find_first_not_of("0123456789") != std::string::npos)
    return false;
  if (!Current().disk.Resolve(ProgramsFolder() + "\\" + args[0]).exists) return false;
  CurrentGroup() = args[0];
  return true;
}

// AddItem(program[, caption[, icon path, icon index]]): a shortcut named by
// its caption (by the program's name when there is none).
bool AddItem(const std::vector<std::string>& args) {
  if (args.empty() || args.size() == 3 || args.size() > 4 || args[0].empty()) return false;
  const std::string& group = CurrentGroup();
  Machine::State& m = Current();
  if (group.empty() || !m.disk.Resolve(ProgramsFolder() + "\\" + group).exists) return false;
  // The shell makes a shortcut only to a program it finds.
  if (!m.disk.Resolve(args[0]).exists) return false;
  std::string caption = args.size() > 1 ? args[1] : "";
  if (caption.empty()) {
    caption = args[0].substr(args[0].find_last_of('\\') + 1);
    caption = caption.substr(0, caption.find('.'));
  }
  if (!ValidName(caption)) return false;
  std::string text = "[Shortcut]\r\nTarget=" + args[0] + "\r\nCaption=" + caption + "\r\n";
  if (args.size() == 4) text += "Icon=" + args[2] + "," + args[3] + "\r\n";
  const std::string path = ProgramsFolder() + "\\" + group + "\\" + caption + ".lnk";
  const Resolved r = m.disk.Resolve(path);
  WriteHostFileAtomically(r.host, text);
  if (!r.exists) m.disk.NameCreated(r);
  m.Note("shell: item " + Quote(caption) + " in group " + Quote(group) + ": " + Quote(args[0]));
  return true;
}

// One command: NAME(ARG,ARG...) with no nesting; quotes keep commas in an argument.
bool Carry(const std::string& command) {
  const auto open = command.find('(');
  if (open == std::string::npos || command.back() != ')') return false;
  const std::string name = command.substr(0, open);
  std::vector<std::string> args(1);
  bool quoted = false;
  for (std::size_t i = open + 1; i + 1 < command.size(); ++i) {
    const char c = command[i];
    if (c == '"') quoted = !quoted;
    else if (c == ',' && !quoted) args.emplace_back();
    else args.back() += c;
  }
  if (quoted) return false;
  if (args.size() == 1 && args[0].empty()) args.clear();
  if (SameText(name, "DeleteGroup")) return DeleteGroup(args);
  if (SameText(name, "CreateGroup")) return CreateGroup(args);
  if (SameText(name, "ShowGroup")) return ShowGroup(args);
  if (SameText(name, "AddItem")) return AddItem(args);
  return false;
}

}  // namespace

bool ProgramManagerPresent() {
  return !SameText(Current().ini.Get("Shell", "ProgramManager", "present"), "absent");
}

bool ProgramManagerExecute(const std::string& commands) {
  std::size_t at = 0;
  bool any = false;
  while (at < commands.size()) {
    if (commands[at] != '[') return false;
    const auto close = commands.find(']', at);
    if (close == std::string::npos || !Carry(commands.substr(at + 1, close - at - 1)))
      return false;
    any = true;
    at = close + 1;
  }
  return any;
}

}  // namespace sim
