// The inside of a simulated machine while it is open, shared by the files
// that serve the port's calls.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/port.h"
#include "platform/sim/answers.h"
#include "platform/sim/disk.h"
#include "platform/sim/ini_file.h"
#include "platform/sim/registry.h"
#include "platform/sim/resources.h"
#include "platform/sim/sim.h"

namespace sim {

// A top-level window of another program (the front end's "Setup", the
// product's toolbar ...). `closes`: WM_CLOSE ends it; otherwise only the user
// closes it.
struct TopWindow {
  port::Window handle = 0;
  std::string title;
  bool closes = true;
  bool visible = true;
  port::Rect rect{0, 0, 640, 480};
  int program = 0;  // the started program that owns it; 0 for those of machine.ini
  std::uint64_t shownAt = 0;  // the virtual time it was opened
};

// A timer of the program's, ticking on the virtual clock while it pumps.
struct Timer {
  port::Window window = 0;
  std::uintptr_t id = 0;
  unsigned period = 0;
  port::TimerProc proc = nullptr;
  std::uint64_t due = 0;
};

struct Control {
  const ControlTemplate* tmpl = nullptr;
  port::Window handle = 0;
  std::string text;
  unsigned check = port::Unchecked;
  bool visible = true;
  bool enabled = true;
  int icon = 0;  // the icon a static icon control shows
};

struct Message {
  unsigned message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
};

struct OpenDialog {
  const DialogTemplate* tmpl = nullptr;
  port::Window handle = 0;
  port::DialogProc proc = nullptr;
  std::vector<Control> controls;
  std::vector<Message> queue;  // posted messages
  port::Rect rect{0, 0, 0, 0};
  bool ended = false;
  std::intptr_t result = 0;
  std::string Name() const;
  Control* Item(int id);
};

struct OpenedFile {
  std::string windowsPath;  // as stored on the disk
  std::string host;
  std::FILE* stream = nullptr;
  std::uint32_t access = 0, share = 0;
  long length = 0;  // kept up to date by writes, so asking costs nothing
  long position = 0;  // where the next read or write begins, kept for the same reason
  bool written = false;
};

struct OpenSearch {
  std::vector<port::FoundEntry> entries;
  std::size_t next = 0;
};

// Thrown by a restart of Windows: the running program ends there.
struct RestartSignal {};

struct LoadedLibrary {
  std::string name;  // the file name, upper case
  std::vector<std::string> exports;
};

// The kinds of operation that machine.ini's [Faults] can make fail.
enum class Fault { Open, Read, Write, Rename, Delete, Registry, Count };

struct Machine::State {
  std::string folder;
  std::string system;     // "95" or "NT"
  IniFile ini;            // machine.ini with what runs did to it (state.ini)
  IniFile written;        // machine.ini as the user wrote it
  std::string stateText;  // state.ini as read or last saved
  Registry registry;
  Disk disk;
  Answers answers;
  std::vector<std::string> transcript;
  std::uint64_t clock = 0;  // virtual milliseconds since boot

  std::vector<TopWindow> windows;
  std::vector<std::unique_ptr<OpenDialog>> dialogs;  // innermost last
  std::map<port::File, OpenedFile> files;
  std::map<port::Search, OpenSearch> searches;
  std::map<port::RegKey, std::pair<std::uint32_t, std::string>> keys;
  std::map<port::Library, LoadedLibrary> libraries;
  bool restartPending = false;
  unsigned errorMode = 0;
  std::string currentDirectory = "C:\\";
  std::map<char, std::string> driveDirectories;  // the last current directory of each drive

  // Other programs at work while the program waits for them.
  std::vector<Timer> timers;
  std::multimap<std::uint64_t, std::function<void()>> events;  // by virtual time
  std::map<int, std::string> running;  // started programs that have not ended, by file name
  int lastStarted = 0;       // the program last started without waiting
  int startingProgram = 0;   // the program whose behaviour is being started
  int nextProgram = 0;
  std::uint64_t lastActivity = 0;  // when another program or the user last acted

  // DDE: the program's instances, string handles and conversations.
  std::map<std::uint32_t, bool> ddeInstances;
  std::map<port::DdeName, std::string> ddeNames;
  std::map<port::DdeConversation, std::string> ddeConversations;  // "SERVICE|TOPIC"
  std::string programManagerGroup;  // the shell's group that items go into
  std::uintptr_t nextHandle = 0x1000;
  int operations[static_cast<int>(Fault::Count)] = {};  // counted per kind
  int failing[static_cast<int>(Fault::Count)] = {};     // the one that fails, 0 none
  bool failingOn[static_cast<int>(Fault::Count)] = {};  // "N+": every one from the Nth on

  void Note(const std::string& line) { transcript.push_back(line); }
  // The section of machine.ini for the booted Windows: "Windows 95" or "Windows NT".
  std::string SystemSection() const { return "Windows " + system; }
  std::uintptr_t NewHandle() { return nextHandle += 4; }
  // Counts an operation of `kind` and tells whether machine.ini's [Faults]
  // makes this one fail. Called on every read and write, so it stays cheap.
  bool Fails(Fault kind);
  void LoadFaults();
  // Another program does something later, when the virtual clock reaches `when`.
  void At(std::uint64_t when, std::function<void()> event) {
    events.emplace(when, std::move(event));
  }
  // A started program ends (its windows, if any, stay as they are).
  void EndProgram(int program);
};

// The machine the running program is on; throws Error when none is running.
Machine::State& Current();
void SetCurrent(Machine::State* state);

}  // namespace sim
