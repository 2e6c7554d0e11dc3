// The process and the system: module, Windows directory, environment, the
// virtual clock, programs, restarts and run-time libraries.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <vector>

#include "platform/command_line.h"
#include "platform/command_line.h"
#include "platform/port.h"
#include "platform/record.h"
#include "platform/sim/files.h"
#include "platform/sim/state.h"
#include "platform/sim/text.h"
#include "platform/sim/windows.h"

namespace fs = std::filesystem;

namespace sim {

void StartWord(const std::string& name, const std::vector<std::string>& words,
               const std::string& arguments);

namespace {

std::map<std::string, ProgramBody>& Programs() {
  static std::map<std::string, ProgramBody> programs;
  return programs;
}

std::map<std::string, std::map<std::string, void*>>& Libraries() {
  static std::map<std::string, std::map<std::string, void*>> libraries;
  return libraries;
}

std::string FileNameOf(const std::string& path) {
  const auto slash = path.find_last_of("\\/:");
  return Upper(slash == std::string::npos ? path : path.substr(slash + 1));
}

// Whether a path names a file, not a folder.
bool IsFile(const std::string& path) {
  const Resolved r = Current().disk.Resolve(path);
  std::error_code ec;
  return r.exists && !fs::is_directory(r.host, ec);
}

bool SplitCommand(const std::string& command, std::string& program, std::string& arguments) {
  return SplitCommandLine(command, program, arguments, IsFile);
}

constexpr const char* kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Deletes the files of `folder` and its subfolders, except those named in
// `kept`, and then the folders left empty.
void RemoveFolderFiles(const std::string& folder, const std::vector<std::string>& kept) {
  Machine::State& m = Current();
  const Resolved dir = m.disk.Resolve(folder);
  for (const std::string& name : m.disk.List(dir)) {
    if (name == "." || name == "..") continue;
    const std::string path = dir.longPath + "\\" + name;
    if (fs::is_directory(m.disk.Resolve(path).host)) {
      RemoveFolderFiles(path, kept);
      std::error_code ec;
      const Resolved gone = m.disk.Resolve(path);
      if (!fs::remove(gone.host, ec)) continue;
      m.disk.NameRemoved(gone);
      m.Note("folder " + path + ": removed");
      continue;
    }
    bool keep = false;
    for (const std::string& k : kept) keep |= SameText(k, name);
    if (!keep) port::RemoveFile(path.c_str());
  }
}

// The previous version's uninstaller: it removes the files of its own folder
// (but those it leaves) and the uninstall entries whose command starts it.
void Uninstall(const std::string& program, const std::vector<std::string>& leaves) {
  Machine::State& m = Current();
  const std::string self = m.disk.Resolve(program).longPath;
  if (RegNode* entries = m.registry.Find(port::HkeyLocalMachine, kUninstallKey)) {
    std::vector<std::string> gone;
    for (const auto& entry : entries->keys) {
      const RegValue* command = entry->Value("UninstallString");
      std::string target, arguments;
      if (command && SplitCommand(command->data, target, arguments) &&
          SameText(m.disk.Resolve(target).longPath, self))
        gone.push_back(entry->name);
    }
    for (const std::string& name : gone) {
      entries->RemoveChild(name);
      m.Note("registry HKEY_LOCAL_MACHINE\\" + std::string(kUninstallKey) + "\\" + name +
             ": key deleted by " + FileNameOf(program));
    }
  }
  RemoveFolderFiles(self.substr(0, self.find_last_of('\\')), leaves);
}

}  // namespace

void RegisterProgram(const std::string& fileName, ProgramBody body) {
  Programs()[Upper(fileName)] = std::move(body);
}

void RegisterLibraryExport(const std::string& fileName, const std::string& exportName,
                           void* function) {
  Libraries()[Upper(fileName)][exportName] = function;
}

std::string MachineSetting(const std::string& section, const std::string& key,
                           const std::string& fallback) {
  return Current().ini.Get(section, key, fallback);
}

// Runs a started program by the behaviour machine.ini gives its file name
// ("Programs", NAME = behaviour):
//   ends            records its command line and ends (the default)
//   window TITLE    opens a top-level window that stays until it is closed
//   window TITLE crashes after MS
//                   ... and ends MS milliseconds after its start without
//                   taking the window away
//   uninstaller [leaves FILE...]
//                   removes the files of its own folder, but those it
//                   leaves, and the uninstall entries whose command starts it
//   word [OPTION...]
//                   Word, run on a document (see word_program.cpp)
//   cannot start    the system cannot start it
// A program registered by the host runs its own body, given the argument
// text as its start-up takes it from the command line as written.
void RunProgramBehaviour(const std::string& commandLine, const std::string& program,
                         const std::string& arguments) {
  Machine::State& m = Current();
  const std::string name = FileNameOf(program);
  auto registered = Programs().find(name);
  if (registered != Programs().end()) {
    std::string shortPath;
    m.disk.ShortPath(program, shortPath);
    registered->second(ArgumentTextOf(commandLine.c_str(),
                                      m.disk.Resolve(program).longPath.c_str(),
                                      shortPath.c_str()));
    return;
  }
  const std::string behaviour = m.ini.Get("Programs", name, "ends");
  if (StartsWithText(behaviour, "window ")) {
    std::string title = behaviour.substr(7);
    std::uint64_t crashAfter = 0;
    const auto crash = title.find("\" crashes after ");
    if (crash != std::string::npos) {
      crashAfter = std::strtoull(title.c_str() + crash + 16, nullptr, 10);
      title = title.substr(0, crash + 1);
    }
    if (title.size() >= 2 && title.front() == '"' && title.back() == '"')
      title = title.substr(1, title.size() - 2);
    TopWindow w;
    w.handle = m.NewHandle();
    w.title = title;
    w.program = m.startingProgram;
    w.shownAt = m.clock;
    m.windows.push_back(w);
    m.Note("window " + Quote(title) + ": opened by " + name);
    if (crash != std::string::npos) {
      const int program = w.program;
      m.At(m.clock + crashAfter, [&m, program, name] {
        m.Note("program " + name + ": crashes, leaving its window on the screen");
        for (TopWindow& left : m.windows)
          if (left.program == program) left.program = 0;
        m.EndProgram(program);
      });
    }
  } else if (SameText(behaviour, "uninstaller") || StartsWithText(behaviour, "uninstaller ")) {
    std::vector<std::string> leaves = Words(behaviour.substr(11));
    if (!leaves.empty() && !SameText(leaves.front(), "leaves"))
      throw Error("machine.ini [Programs] " + name + ": expected uninstaller leaves FILE...");
    if (!leaves.empty()) leaves.erase(leaves.begin());
    Uninstall(program, leaves);
  } else if (SameText(behaviour, "word") || StartsWithText(behaviour, "word ")) {
    StartWord(name, Words(behaviour), arguments);
  }
}

}  // namespace sim

namespace port {
using namespace sim;

unsigned ModuleFileName(char* buffer, unsigned size) {
  const std::string module = Current().ini.Get("Program", "Module", "C:\\ZVSETUP\\ZVSET.EXE");
  return CopyOut(module, buffer, size);
}

unsigned ShortPathName(const char* path, char* buffer, unsigned size) {
  std::string shortPath;
  if (!Current().disk.ShortPath(path, shortPath)) return 0;
  if (shortPath.size() + 1 > size) return 0;
  return CopyOut(shortPath, buffer, size);
}

unsigned WindowsDirectory(char* buffer, unsigned size) {
  Machine::State& m = Current();
  const std::string dir = m.ini.Get(m.SystemSection(), "WindowsDir",
                                    m.system == "95" ? "C:\\WINDOWS" : "C:\\WINNT");
  if (dir.size() + 1 > size) return static_cast<unsigned>(dir.size() + 1);
  return CopyOut(dir, buffer, size);
}

unsigned EnvironmentVariable(const char* name, char* buffer, unsigned size) {
  Machine::State& m = Current();
  std::string value;
  if (!m.ini.Get("Environment " + m.system, name, value) && !m.ini.Get("Environment", name, value))
    return 0;
  return CopyOut(value, buffer, size);
}

// Other programs go on while this one sleeps.
void SleepFor(unsigned milliseconds) {
  Machine::State& m = Current();
  record::Slept(milliseconds);
  const std::uint64_t until = m.clock + milliseconds;
  while (!m.events.empty() && m.events.begin()->first <= until) {
    m.clock = std::max(m.clock, m.events.begin()->first);
    auto event = std::move(m.events.begin()->second);
    m.events.erase(m.events.begin());
    event();
  }
  m.clock = until;
}

unsigned SetErrorModeTo(unsigned mode) {
  Machine::State& m = Current();
  const unsigned previous = m.errorMode;
  m.errorMode = mode;
  return previous;
}

// A drive exists when the machine folder has a folder for it or machine.ini's
// "Drives" names it (empty, write-protected), unless that says "absent".
std::uint32_t LogicalDrives() {
  Machine::State& m = Current();
  std::uint32_t mask = 0;
  for (int i = 0; i < 26; ++i) {
    const std::string letter(1, static_cast<char>('A' + i));
    const std::string state = m.ini.Get("Drives", letter, "");
    std::error_code ec;
    if (SameText(state, "absent")) continue;
    if (!state.empty() || fs::is_directory(m.folder + "/disk/" + letter, ec)) mask |= 1u << i;
  }
  return mask;
}

unsigned CurrentDirectory(char* buffer, unsigned size) {
  const std::string& dir = Current().currentDirectory;
  if (dir.size() + 1 > size) return static_cast<unsigned>(dir.size() + 1);
  return CopyOut(dir, buffer, size);
}

bool ChangeDrive(int drive) {
  Machine::State& m = Current();
  if (drive < 1 || drive > 26 || !(LogicalDrives() & (1u << (drive - 1)))) return false;
  const char letter = static_cast<char>('A' + drive - 1);
  if (!m.disk.Resolve(std::string(1, letter) + ":\\").driveReady) return false;
  m.driveDirectories[static_cast<char>(std::toupper(static_cast<unsigned char>(m.currentDirectory[0])))] =
      m.currentDirectory;
  auto last = m.driveDirectories.find(letter);
  m.currentDirectory = last == m.driveDirectories.end() ? std::string(1, letter) + ":\\" : last->second;
  return true;
}

bool ChangeDirectory(const char* path) {
  Machine::State& m = Current();
  const Resolved r = m.disk.Resolve(path);
  std::error_code ec;
  if (!r.exists || !fs::is_directory(r.host, ec)) return false;
  // The system keeps the spelling it was given, without a trailing backslash
  // but at a drive's root.
  std::string dir = path;
  if (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
  if (dir.size() == 2) dir += '\\';
  m.currentDirectory = dir;
  return true;
}

// The machine's calendar: machine.ini's "Machine" "Date" (YYYY-MM-DD) when
// it was booted, moved on by the virtual clock.
Date Today() {
  Machine::State& m = Current();
  Date d{1998, 6, 15};
  std::sscanf(m.ini.Get("Machine", "Date", "1998-06-15").c_str(), "%d-%d-%d", &d.year, &d.month,
              &d.day);
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (std::uint64_t days = m.clock / 86400000; days > 0; --days) {
    const bool leap = (d.year % 4 == 0 && d.year % 100 != 0) || d.year % 400 == 0;
    const int inMonth = kDays[(d.month - 1) % 12] + (d.month == 2 && leap ? 1 : 0);
    if (++d.day > inMonth) {
      d.day = 1;
      if (++d.month > 12) {
        d.month = 1;
        ++d.year;
      }
    }
  }
  return d;
}

bool StartProgram(const char* commandLine, int showCommand, bool wait) {
  Machine::State& m = Current();
  std::string program, arguments;
  if (!SplitCommand(commandLine, program, arguments) ||
      SameText(m.ini.Get("Programs", FileNameOf(program), ""), "cannot start")) {
    record::ProgramNotStarted(commandLine);
    return false;
  }
  record::ProgramStarted(m.disk.Resolve(program).longPath, arguments, showCommand, wait);
  // The program runs while it keeps a window open or has something left to
  // do on the clock; otherwise it has ended by the time the call returns.
  m.lastActivity = m.clock;
  const int started = ++m.nextProgram;
  m.running[started] = FileNameOf(program);
  if (!wait) m.lastStarted = started;
  const std::size_t pending = m.events.size();
  struct Starting {
    Machine::State& m;
    ~Starting() { m.startingProgram = 0; }
  } starting{m};
  m.startingProgram = started;
  RunProgramBehaviour(commandLine, program, arguments);
  bool goesOn = m.events.size() > pending;
  for (const TopWindow& w : m.windows) goesOn |= w.program == started;
  if (!goesOn) m.running.erase(started);
  return true;
}

void RestartSystem() {
  record::SystemRestarts();
  throw RestartSignal{};
}

int SystemKind() { return Current().system == "95" ? 1 : 2; }

unsigned ComputerName(char* buffer, unsigned size) {
  Machine::State& m = Current();
  return CopyOut(m.ini.Get(m.SystemSection(), "ComputerName", "ZVTEST"), buffer, size);
}

// A library file on the simulated disk reads "simulated library" and then one
// line "export NAME" per export; a registered host function stands behind
// each. The search order is the program's folder, the system folder, then
// the Windows directory.
Library LoadRuntimeLibrary(const char* fileName) {
  Machine::State& m = Current();
  char module[260], windows[260];
  ModuleFileName(module, sizeof module);
  WindowsDirectory(windows, sizeof windows);
  std::string moduleDir = module;
  moduleDir = moduleDir.substr(0, moduleDir.find_last_of('\\') + 1);
  const std::string systemDir =
      std::string(windows) + (m.system == "95" ? "\\SYSTEM\\" : "\\SYSTEM32\\");
  std::vector<std::string> dirs = {moduleDir, systemDir, std::string(windows) + "\\"};
  // A library named by its path is loaded from there alone.
  if (std::strpbrk(fileName, "\\:")) dirs = {""};
  for (const std::string& dir : dirs) {
    const Resolved r = m.disk.Resolve(dir + fileName);
    std::string text;
    if (!r.exists || !ReadHostFile(r.host, text)) continue;
    if (text.rfind("simulated library", 0) != 0) break;  // not a library: it cannot load
    LoadedLibrary lib{FileNameOf(fileName), {}};
    std::size_t at = 0;
    while ((at = text.find("export ", at)) != std::string::npos) {
      at += 7;
      const auto end = text.find_first_of("\r\n", at);
      lib.exports.push_back(text.substr(at, end - at));
    }
    const Library handle = m.NewHandle();
    m.libraries[handle] = lib;
    record::LibraryLoaded(r.longPath);
    return handle;
  }
  record::LibraryNotLoaded(fileName);
  return 0;
}

// The machine folder's sectors/disk0.bin holds the start of the first hard
// disk, sectors/C.bin that of drive C:'s volume; without the file the system
// refuses, as it does a program without the privilege to read raw disks.
std::uint32_t ReadDiskStart(char volume, void* buffer, std::uint32_t size) {
  Machine::State& m = Current();
  const std::string name =
      volume == 0 ? "disk0" : std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(volume))));
  std::string bytes;
  if (!ReadHostFile(m.folder + "/sectors/" + name + ".bin", bytes) || bytes.size() < 512) return 0;
  const std::uint32_t count = size < 512 ? size : 512;
  std::memcpy(buffer, bytes.data(), count);
  return count;
}

void* LibraryExport(Library library, const char* name) {
  auto it = Current().libraries.find(library);
  if (it == Current().libraries.end()) return nullptr;
  bool listed = false;
  for (const std::string& e : it->second.exports) listed |= e == name;
  auto lib = Libraries().find(it->second.name);
  if (!listed || lib == Libraries().end()) return nullptr;
  auto fn = lib->second.find(name);
  return fn == lib->second.end() ? nullptr : fn->second;
}

}  // namespace port
