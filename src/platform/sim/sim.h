// The simulated Windows machine: what the tools and the tests see of it.
//
// A machine is a folder (machine.ini, disk/<drive>/..., registry/<system>/*.reg).
// Opening it boots one of its Windows installations; while a program runs on
// it, every port call is served from this machine and what a person would
// have seen goes into the transcript.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace sim {

// A bad machine folder, a bad answer script, a prompt with no answer.
struct Error : std::runtime_error {
  using std::runtime_error::runtime_error;
};

enum class MachineKind { Windows95, WindowsNT, DualBoot };

// Makes a fresh machine folder (which must not exist or be empty).
void CreateMachine(const std::string& folder, MachineKind kind);

// Puts Word on the machine in `folder` (under the Windows it boots) as a
// user's installation leaves it: WINWORD.EXE and NORMAL.DOT in Word's
// folder, NORMAL.DOT in its templates' folder, the "doc" extension value and
// WIN.INI's embedding entry naming the program; Word 97 in Office's folders
// with Office's key, Word 6 in C:\WINWORD. How Word behaves when it is
// started is machine.ini's [Programs] WINWORD.EXE.
enum class WordKind { Word6, Word97 };
void InstallWord(const std::string& folder, WordKind kind);

struct RunResult {
  enum class Ending { Exited, Restarted, Stopped } ending = Ending::Exited;
  int exitCode = 0;
  std::string message;  // why the run stopped
};

// Programs and libraries of the host that the simulated machine runs when
// their file is started or loaded: ZVSET itself for its RunOnce entry, the
// product's run-time libraries. A file on the simulated disk stands for them.
using ProgramBody = std::function<int(const std::string& arguments)>;
void RegisterProgram(const std::string& fileName, ProgramBody body);
void RegisterLibraryExport(const std::string& fileName, const std::string& exportName,
                           void* function);
// A machine.ini value of the machine that runs, for the host's programs and
// libraries whose behaviour the machine tunes; `fallback` when it is not set.
std::string MachineSetting(const std::string& section, const std::string& key,
                           const std::string& fallback);

// With `verbose`, the transcript also shows the lookups: every registry read
// and file test with what it found.
void SetVerboseTranscript(bool verbose);

class Machine {
 public:
  // Boots the machine in `folder` into `system` ("95" or "NT"; empty: the one
  // machine.ini names). Throws Error when the folder is not a machine.
  static std::unique_ptr<Machine> Open(const std::string& folder,
                                       const std::string& system = "");
  ~Machine();
  Machine(const Machine&) = delete;
  Machine& operator=(const Machine&) = delete;

  // The scripted user: answers for message boxes and dialogs.
  void LoadAnswers(const std::string& file);
  void AddAnswers(const std::string& text);
  // Lists in the transcript the answers that no prompt has taken, each with
  // its line as written: what the script expected and did not happen.
  void NoteUnusedAnswers();

  // Runs one process of ZVSET (or any program body) on this machine.
  // A restart of Windows or an unanswered prompt ends it early.
  RunResult Run(const std::function<int()>& program);

  // Starts Windows again after a restart: the programs of the Run key, then
  // each RunOnce entry, which Windows deletes before it runs it. The result
  // is the last RunOnce program's.
  RunResult Boot();
  bool RestartPending() const;
  // The user starts the other Windows of a dual-boot machine: the machine is
  // saved and booted into `system` ("95" or "NT"), with its desktop as
  // machine.ini has it. The answer script and the transcript go on.
  void StartOtherSystem(const std::string& system);

  // What happened, as plain stable lines.
  const std::vector<std::string>& Transcript() const;
  std::string TranscriptText() const;

  // Writes the registry and the machine's state back to its folder, all or
  // nothing: every file is written whole to a scratch file, and only then are
  // they swapped in, so a save that fails leaves the previous machine intact.
  // Throws Error naming the file that could not be written. A run that cannot
  // save ends Stopped, with what it did still in the transcript.
  void Save();

  // The booted system: "95" or "NT".
  const std::string& System() const;
  // Where a Windows path lives in the machine folder ("" when the drive does
  // not exist). Long names are matched without regard to case; missing parts
  // keep the spelling given.
  std::string HostPath(const std::string& windowsPath) const;

  // The booted system's registry, for fixtures and checks. Paths use '\'.
  bool ReadRegistry(std::uint32_t root, const std::string& key, const std::string& name,
                    std::string& value) const;
  bool RegistryKeyExists(std::uint32_t root, const std::string& key) const;
  void WriteRegistry(std::uint32_t root, const std::string& key, const std::string& name,
                     const std::string& value);

  struct State;

 private:
  explicit Machine(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

}  // namespace sim
