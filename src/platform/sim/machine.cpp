// Opening, running and saving a simulated machine.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/record.h"
#include "platform/sim/files.h"
#include "platform/sim/machine_ini.h"
#include "platform/sim/run_state.h"
#include "platform/sim/state.h"
#include "platform/sim/text.h"
#include "platform/sim/windows.h"

namespace fs = std::filesystem;

namespace sim {

namespace {

Machine::State* current = nullptr;

constexpr const char* kTopWindows = "Top Windows";
constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunOnceKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

std::string RegistryFolder(const Machine::State& m) { return m.folder + "/registry/" + m.system; }

void LoadWindows(Machine::State& m) {
  m.windows.clear();
  for (const std::string& title : m.ini.Keys(kTopWindows)) {
    TopWindow w;
    w.handle = m.NewHandle();
    w.title = title;
    w.closes = !SameText(m.ini.Get(kTopWindows, title, "closes"), "stays");
    m.windows.push_back(w);
  }
}

// The desktop as it is now, for the next run on this machine.
void StoreWindows(Machine::State& m) {
  for (const std::string& title : m.ini.Keys(kTopWindows)) m.ini.Remove(kTopWindows, title);
  for (const TopWindow& w : m.windows)
    m.ini.Set(kTopWindows, w.title, w.closes ? "closes" : "stays");
}

}  // namespace

Machine::State& Current() {
  if (!current) throw Error("no simulated machine is running");
  return *current;
}

void SetCurrent(Machine::State* state) { current = state; }

namespace {
bool verboseTranscript = false;
}

void SetVerboseTranscript(bool verbose) { verboseTranscript = verbose; }

}  // namespace sim

// The record's lines go into the transcript of the machine that runs, and,
// when the host's ZVSET_LOG names a file, are appended there as the Windows
// build appends its own: the two logs compare line by line.
void record::Emit(const std::string& line) {
  if (sim::current) sim::current->Note(line);
  if (const char* log = std::getenv("ZVSET_LOG"); log && *log) {
    if (std::FILE* file = std::fopen(log, "a")) {
      std::fprintf(file, "%s\n", line.c_str());
      std::fclose(file);
    }
  }
}

bool record::Verbose() { return sim::verboseTranscript; }

int record::DialogTemplateOf(port::Window window) {
  if (!sim::current) return 0;
  const sim::OpenDialog* d = sim::FindDialog(window);
  return d ? d->tmpl->id : 0;
}

namespace sim {

namespace {
const char* const kFaultNames[] = {"open", "read", "write", "rename", "delete", "registry"};
}

// [Faults] KIND = N fails the Nth operation of that kind; N+ fails the Nth
// and every later one, as a full disk or a lost drive would.
void Machine::State::LoadFaults() {
  for (int k = 0; k < static_cast<int>(Fault::Count); ++k) {
    const std::string value = ini.Get("Faults", kFaultNames[k], "0");
    failing[k] = std::atoi(value.c_str());
    failingOn[k] = !value.empty() && value.back() == '+';
  }
}

bool Machine::State::Fails(Fault kind) {
  const int k = static_cast<int>(kind);
  ++operations[k];
  if (failing[k] == 0 || operations[k] < failing[k]) return false;
  if (operations[k] > failing[k] && !failingOn[k]) return false;
  Note(std::string("fault: ") + kFaultNames[k] + " " + std::to_string(operations[k]) + " fails");
  return true;
}

Machine::Machine(std::unique_ptr<State> state) : state_(std::move(state)) {}
Machine::~Machine() = default;

std::unique_ptr<Machine> Machine::Open(const std::string& folder, const std::string& system) {
  auto state = std::make_unique<State>();
  State& m = *state;
  m.folder = folder;
  std::string text;
  if (!ReadMachineFile(folder + "/machine.ini", text))
    throw Error(folder + " is not a simulated machine: it has no machine.ini");
  m.ini = IniFile::Parse(text);
  CheckMachineIni(m.ini, folder);
  m.written = m.ini;
  ApplyRunState(folder, m.ini, m.stateText);
  m.system = Upper(system.empty() ? m.ini.Get("Machine", "Boot", "") : system);
  if (m.system != "95" && m.system != "NT")
    throw Error(folder + ": boot \"95\" or \"NT\", not " + Quote(m.system));
  if (!m.ini.HasSection(m.SystemSection()))
    throw Error(folder + " has no Windows " + m.system + " installation");
  m.LoadFaults();
  CheckMachineFolder(folder + "/registry");
  m.registry.Load(RegistryFolder(m));
  m.disk.Load(folder, m.ini);
  LoadWindows(m);
  m.restartPending = SameText(m.ini.Get("Machine", "RestartPending", "0"), "1");
  return std::unique_ptr<Machine>(new Machine(std::move(state)));
}

void Machine::LoadAnswers(const std::string& file) {
  std::string text;
  if (!ReadMachineFile(file, text)) throw Error("cannot read the answer script " + file);
  state_->answers.Add(text, file);
}

void Machine::AddAnswers(const std::string& text) { state_->answers.Add(text, "answers"); }

void Machine::NoteUnusedAnswers() {
  for (const Answer* a : state_->answers.Unused())
    state_->Note("unused answer, line " + std::to_string(a->line) + ": " + a->written);
}

RunResult Machine::Run(const std::function<int()>& program) {
  State& m = *state_;
  RunResult result;
  // Files may have been put on the disk from outside since the last run.
  m.disk.ForgetIndexes();
  SetCurrent(&m);
  try {
    result.exitCode = program();
  } catch (const RestartSignal&) {
    result.ending = RunResult::Ending::Restarted;
    m.restartPending = true;
  } catch (const Error& e) {
    result.ending = RunResult::Ending::Stopped;
    result.message = e.what();
    m.Note("run stopped: " + result.message);
  }
  // The process is gone: its files, searches, keys and libraries with it.
  for (auto& [handle, open] : m.files) std::fclose(open.stream);
  m.files.clear();
  m.searches.clear();
  m.keys.clear();
  m.libraries.clear();
  m.dialogs.clear();
  SetCurrent(nullptr);
  // What the run did stays in the transcript even when it cannot be kept.
  try {
    Save();
  } catch (const Error& e) {
    result.ending = RunResult::Ending::Stopped;
    result.message = std::string("the machine was not saved: ") + e.what();
    m.Note(result.message);
  }
  return result;
}

bool Machine::RestartPending() const { return state_->restartPending; }

RunResult Machine::Boot() {
  State& m = *state_;
  m.restartPending = false;
  m.windows.clear();
  m.clock = 0;
  m.Note("Windows " + m.system + " starts");
  RunResult last;
  std::vector<std::string> run, once;
  if (RegNode* key = m.registry.Find(port::HkeyLocalMachine, kRunKey))
    for (const RegValue& v : key->values) run.push_back(v.data);
  if (RegNode* key = m.registry.Find(port::HkeyLocalMachine, kRunOnceKey)) {
    for (const RegValue& v : key->values) {
      once.push_back(v.data);
      m.Note("registry HKEY_LOCAL_MACHINE\\" + std::string(kRunOnceKey) + ": " + Quote(v.name) +
             " deleted");
    }
    key->values.clear();
  }
  for (const std::string& command : run)
    last = Run([&] { return port::StartProgram(command.c_str(), port::sw::Show, false) ? 0 : 1; });
  for (const std::string& command : once) {
    last = Run([&] { return port::StartProgram(command.c_str(), port::sw::Show, false) ? 0 : 1; });
    if (last.ending == RunResult::Ending::Restarted) break;
  }
  Save();
  return last;
}

const std::vector<std::string>& Machine::Transcript() const { return state_->transcript; }

std::string Machine::TranscriptText() const {
  std::string text;
  for (const std::string& line : state_->transcript) text += line + "\n";
  return text;
}

void Machine::StartOtherSystem(const std::string& system) {
  Save();
  std::unique_ptr<Machine> other = Open(state_->folder, system);
  other->state_->answers = std::move(state_->answers);
  other->state_->transcript = std::move(state_->transcript);
  state_ = std::move(other->state_);
  state_->Note("Windows " + state_->system + " starts");
}

void Machine::Save() {
  State& m = *state_;
  StoreWindows(m);
  if (m.restartPending) m.ini.Set("Machine", "RestartPending", "1");
  else m.ini.Remove("Machine", "RestartPending");
  // Only the files that changed are written; machine.ini stays as written.
  std::vector<HostFileText> files;
  m.registry.AddTexts(RegistryFolder(m), files);
  m.disk.AddTexts(files);
  const std::string state = RunStateText(m.written, m.ini);
  if (state != m.stateText) files.push_back({m.folder + "/" + kRunStateFile, state});
  WriteHostFilesTogether(files);
  m.registry.Saved(RegistryFolder(m), files);
  m.disk.Saved(files);
  m.stateText = state;
}

const std::string& Machine::System() const { return state_->system; }

std::string Machine::HostPath(const std::string& windowsPath) const {
  return state_->disk.Resolve(windowsPath).host;
}

bool Machine::ReadRegistry(std::uint32_t root, const std::string& key, const std::string& name,
                           std::string& value) const {
  RegNode* node = state_->registry.Find(root, key);
  RegValue* v = node ? node->Value(name) : nullptr;
  if (!v) return false;
  value = v->data;
  return true;
}

bool Machine::RegistryKeyExists(std::uint32_t root, const std::string& key) const {
  return state_->registry.Find(root, key) != nullptr;
}

void Machine::WriteRegistry(std::uint32_t root, const std::string& key, const std::string& name,
                            const std::string& value) {
  RegNode& node = state_->registry.Create(root, key);
  if (RegValue* v = node.Value(name)) *v = {v->name, value, true};
  else node.values.push_back({name, value, true});
}

}  // namespace sim
