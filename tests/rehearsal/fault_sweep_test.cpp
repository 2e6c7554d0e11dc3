// Whole installations rehearsed with one kind of file or registry operation
// failing: the Nth for N = 1, 2, ... until a run hits no fault, and every
// one from the Nth on (a full disk, a registry that stops taking writes).
// After each run: every stage ended, or stopped at a box the program showed
// for the failure; the registry files open; every file on the machine holds
// what it held before the installation or after one of its steps without
// faults (byte for byte, or each in-place patch or profile entry as one of
// them has it); and the scenario run again without faults on the same
// machine sets what a whole installation sets.
//
// ZVSET_SWEEP_STRIDE=K tries every Kth N only (1, 1+K, 1+2K, ...), as the
// sanitize preset's tests do; scripts/fault-sweep.sh prints the figures.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "machine_changes.h"
#include "platform/sim/files.h"
#include "platform/sim/ini_file.h"
#include "platform/sim/sim.h"
#include "platform/sim/text.h"
#include "rehearsal.h"

namespace fs = std::filesystem;

namespace {

struct SweepCase {
  const char* scenario;
  const char* kind;  // as machine.ini's [Faults] names it
  bool fromNthOn;
};

std::string Name(const SweepCase& c) {
  std::string name = std::string(c.scenario) + "_" + c.kind + (c.fromNthOn ? "_from_nth_on" : "");
  for (char& ch : name)
    if (ch == '-') ch = '_';
  return name;
}

void PrintTo(const SweepCase& c, std::ostream* os) { *os << Name(c); }

std::string ScenarioFolder(const std::string& name) { return ZVSET_SCENARIOS "/" + name; }

// Runs the scenario's steps; the transcript comes back in `text`.
StepsOutcome RunSteps(const std::string& scenario, const std::string& machine, std::string& text,
                      const std::string& moreAnswers = "",
                      const std::function<void()>& afterEachStep = nullptr) {
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&buffer, &size);
  StepsOutcome outcome;
  try {
    outcome = RunScenarioSteps(scenario, machine, out, moreAnswers, afterEachStep);
  } catch (const sim::Error& e) {
    outcome.stopped = std::string("error: ") + e.what();
  }
  std::fclose(out);
  text.assign(buffer, size);
  std::free(buffer);
  return outcome;
}

// The user who runs the installation again finds it there, and installs
// over it; the warning about other anti-virus software may come once more
// than the scenario has it.
constexpr const char* kRunAgainAnswers =
    "box \"Zelvane already installed\" No\n"
    "box \"Warning\" OK\n"
    "box \"Warning\" OK\n";

int FaultsIn(const std::string& transcript) {
  int n = 0;
  for (std::size_t at = 0; (at = transcript.find("fault: ", at)) != std::string::npos; ++at) ++n;
  return n;
}

void SetFault(const std::string& machine, const std::string& kind, const std::string& value) {
  std::string text;
  ASSERT_TRUE(sim::ReadHostFile(machine + "/machine.ini", text));
  sim::IniFile ini = sim::IniFile::Parse(text);
  if (value.empty()) ini.Remove("Faults", kind);
  else ini.Set("Faults", kind, value);
  sim::WriteHostFileAtomically(machine + "/machine.ini", ini.Text());
}

using Entries = std::map<std::string, std::string>;

// "[SECTION] KEY" -> value, for every entry of an INI text.
Entries EntriesOf(const std::string* text) {
  Entries entries;
  if (!text) return entries;
  for (const sim::IniFile::Line& line : sim::IniFile::Parse(*text).Lines())
    if (line.kind == sim::IniFile::Line::Kind::Entry)
      entries["[" + sim::Upper(line.section) + "] " + sim::Upper(line.key)] = line.value;
  return entries;
}

// The files that the installation writes entry by entry through the profile
// calls, as its transcript names them ("profile C:\ZV.INI [...] ...").
std::set<std::string> ProfileFiles(const std::string& transcript) {
  std::set<std::string> files;
  std::size_t at = 0;
  while ((at = transcript.find("\nprofile ", at)) != std::string::npos) {
    at += 9;
    const std::size_t end = transcript.find(" [", at);
    if (end != std::string::npos) files.insert(transcript.substr(at, end - at));
  }
  return files;
}

// The machine before the installation, after each of its steps without
// faults (the last one: the whole installation), and after that installation
// run again on the same machine.
struct Reference {
  std::vector<rehearsal::MachineSnapshot> steps;  // before, then after each step
  rehearsal::MachineSnapshot after, twice;
  std::set<std::string> profiles;
};

const Reference& ReferenceOf(const std::string& scenario, const std::string& scratch) {
  static std::map<std::string, Reference> made;
  auto found = made.find(scenario);
  if (found != made.end()) return found->second;
  Reference& r = made[scenario];
  const std::string machine = scratch + "/reference";
  fs::remove_all(machine);
  MakeScenarioMachine(ScenarioFolder(scenario), machine);
  r.steps.push_back(rehearsal::TakeSnapshot(machine));
  std::string text;
  StepsOutcome outcome = RunSteps(ScenarioFolder(scenario), machine, text, "",
                                  [&] { r.steps.push_back(rehearsal::TakeSnapshot(machine)); });
  EXPECT_TRUE(outcome.finished) << outcome.stopped << "\n" << text;
  EXPECT_EQ(FaultsIn(text), 0);
  r.after = rehearsal::TakeSnapshot(machine);
  r.steps.push_back(r.after);
  r.profiles = ProfileFiles(text);
  outcome = RunSteps(ScenarioFolder(scenario), machine, text, kRunAgainAnswers);
  EXPECT_TRUE(outcome.finished) << outcome.stopped << "\n" << text;
  r.twice = rehearsal::TakeSnapshot(machine);
  fs::remove_all(machine);
  return r;
}

const std::string* Find(const std::map<std::string, std::string>& map, const std::string& name) {
  auto it = map.find(name);
  return it == map.end() ? nullptr : &it->second;
}

bool Same(const std::string* a, const std::string* b) {
  return (!a && !b) || (a && b && *a == *b);
}

// A file patched in place from `old` to `now` (the same length) holds each
// run of changed bytes either as it was or as patched.
bool EachPatchWhole(const std::string& is, const std::string& old, const std::string& now) {
  if (is.size() != old.size() || old.size() != now.size()) return false;
  for (std::size_t i = 0; i < is.size();) {
    if (old[i] == now[i]) {
      if (is[i] != old[i]) return false;
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < is.size() && old[end] != now[end]) ++end;
    const std::string part = is.substr(i, end - i);
    if (part != old.substr(i, end - i) && part != now.substr(i, end - i)) return false;
    i = end;
  }
  return true;
}

// How a file holds what one of `choices` holds (null: the file is missing):
// byte for byte; with each patch made in place between two of them whole
// (a file with two patches, one made); or, a profile file, each entry as one
// of them has it (a file written entry by entry, some written).
enum class Held { Not, Exactly, EachPatch, EachEntry };

Held HowHeld(const std::string* is, const std::vector<const std::string*>& choices,
             bool profile) {
  for (const std::string* choice : choices)
    if (Same(is, choice)) return Held::Exactly;
  if (!profile) {
    for (std::size_t k = 1; is && k < choices.size(); ++k)
      if (choices[k - 1] && choices[k] && EachPatchWhole(*is, *choices[k - 1], *choices[k]))
        return Held::EachPatch;
    return Held::Not;
  }
  const Entries now = EntriesOf(is);
  std::vector<Entries> each;
  std::set<std::string> keys;
  for (const auto& entry : now) keys.insert(entry.first);
  for (const std::string* choice : choices) {
    each.push_back(EntriesOf(choice));
    for (const auto& entry : each.back()) keys.insert(entry.first);
  }
  for (const std::string& key : keys) {
    const std::string* value = Find(now, key);
    bool held = false;
    for (const Entries& entries : each) held = held || Same(value, Find(entries, key));
    if (!held) return Held::Not;
  }
  return Held::EachEntry;
}

std::string Describe(const std::string* content) {
  return content ? std::to_string(content->size()) + " bytes" : "missing";
}

// What a whole installation sets that the machine `is` lacks: a registry
// value or a file (a profile file's entry) that the installation adds or
// changes, missing or different there. Each may also be as the installation
// run twice leaves it (a backup taken by the second run holds what the first
// one made). What the installation leaves as it found it is not asked about.
std::vector<std::string> Lacking(const rehearsal::MachineSnapshot& is, const Reference& ref) {
  const rehearsal::MachineSnapshot& before = ref.steps.front();
  std::vector<std::string> out;
  for (const auto& [key, values] : ref.after.registry) {
    auto found = is.registry.find(key);
    auto old = before.registry.find(key);
    auto twice = ref.twice.registry.find(key);
    for (const auto& [name, data] : values) {
      if (old != before.registry.end() && Same(Find(old->second, name), &data)) continue;
      const std::string* now = found == is.registry.end() ? nullptr : Find(found->second, name);
      if (Same(now, &data)) continue;
      if (twice != ref.twice.registry.end() && Same(now, Find(twice->second, name))) continue;
      out.push_back("registry " + key + ": " + name + " is " + (now ? *now : "missing") +
                    ", a whole installation sets " + data);
    }
  }
  for (const auto& [path, content] : ref.after.files) {
    const std::string* now = Find(is.files, path);
    const std::string* old = Find(before.files, path);
    const std::string* twice = Find(ref.twice.files, path);
    if (!ref.profiles.count(path)) {
      if (!Same(old, &content) && !Same(now, &content) && !Same(now, twice))
        out.push_back("file " + path);
      continue;
    }
    const Entries entries = EntriesOf(now), whole = EntriesOf(&content), again = EntriesOf(twice),
                  found = EntriesOf(old);
    for (const auto& [key, value] : whole) {
      const std::string* entry = Find(entries, key);
      if (!Same(Find(found, key), &value) && !Same(entry, &value) && !Same(entry, Find(again, key)))
        out.push_back("file " + path + " " + key + ": a whole installation sets " + value);
    }
  }
  return out;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "  " + line + "\n";
  return text;
}

class FaultSweep : public ::testing::TestWithParam<SweepCase> {
 protected:
  void SetUp() override {
    scratch_ = (fs::temp_directory_path() /
                ("zvset-sweep-" + std::to_string(::getpid()) + "-" + Name(GetParam())))
                   .string();
    fs::remove_all(scratch_);
    fs::create_directories(scratch_);
  }
  void TearDown() override { fs::remove_all(scratch_); }

  std::string scratch_;
};

int Stride() {
  const char* value = std::getenv("ZVSET_SWEEP_STRIDE");
  const int stride = value ? std::atoi(value) : 1;
  return stride > 0 ? stride : 1;
}

TEST_P(FaultSweep, LosesNothingAndARunAfterFinishes) {
  const SweepCase c = GetParam();
  const std::string scenario = ScenarioFolder(c.scenario);
  const Reference& ref = ReferenceOf(c.scenario, scratch_);
  ASSERT_FALSE(HasFailure());
  const std::string machine = scratch_ + "/machine";
  int runs = 0, faults = 0, filesChecked = 0, wholeRuns = 0, byPatch = 0, byEntry = 0;
  for (int n = 1;; n += Stride()) {
    const std::string value = std::to_string(n) + (c.fromNthOn ? "+" : "");
    SCOPED_TRACE(std::string(c.scenario) + " [Faults] " + c.kind + "=" + value);
    fs::remove_all(machine);
    MakeScenarioMachine(scenario, machine);
    SetFault(machine, c.kind, value);
    std::string text;
    const StepsOutcome outcome = RunSteps(scenario, machine, text);
    const int hit = FaultsIn(text);
    ++runs;
    faults += hit;

    // The program ended: every step ran, or a stage stopped at a box that
    // the program showed for the failure (the user leaves it there).
    const bool atItsBox = hit > 0 && outcome.stopped.rfind("no answer for the box", 0) == 0;
    EXPECT_TRUE(outcome.finished || atItsBox) << outcome.stopped << "\n" << text;

    // The registry files are whole and readable: the machine opens.
    try {
      sim::Machine::Open(machine);
    } catch (const sim::Error& e) {
      ADD_FAILURE() << "the machine does not open: " << e.what();
    }

    // Every file holds what it held before the installation or after one of
    // its steps: old or new, never a part of it.
    const rehearsal::MachineSnapshot now = rehearsal::TakeSnapshot(machine);
    std::set<std::string> paths;
    for (const auto& entry : now.files) paths.insert(entry.first);
    for (const auto& step : ref.steps)
      for (const auto& entry : step.files) paths.insert(entry.first);
    bool lost = false;
    for (const std::string& path : paths) {
      ++filesChecked;
      const std::string* is = Find(now.files, path);
      std::vector<const std::string*> held;
      for (const auto& step : ref.steps) held.push_back(Find(step.files, path));
      const Held how = HowHeld(is, held, ref.profiles.count(path) > 0);
      if (how == Held::EachPatch) ++byPatch;
      if (how == Held::EachEntry) ++byEntry;
      if (how != Held::Not) continue;
      lost = true;
      ADD_FAILURE() << path << " holds " << Describe(is) << ", as before the installation "
                    << Describe(held.front()) << ", as after it " << Describe(held.back());
    }
    if (hit > 0 && !lost) ++wholeRuns;
    if (hit == 0) break;

    // The same installation run again without the fault finishes it.
    SetFault(machine, c.kind, "");
    std::string again;
    const StepsOutcome rerun = RunSteps(scenario, machine, again, kRunAgainAnswers);
    EXPECT_TRUE(rerun.finished) << "the run after: " << rerun.stopped << "\n" << again;
    // It leaves what a whole installation leaves.
    const std::vector<std::string> lacking = Lacking(rehearsal::TakeSnapshot(machine), ref);
    EXPECT_TRUE(lacking.empty()) << "the run after leaves the installation unfinished:\n"
                                 << Lines(lacking) << "the run with the fault:\n"
                                 << text << "the run after:\n" << again;
    if (HasFailure()) break;
  }
  std::printf("sweep %s %s%s: runs %d, faults %d, files checked %d (whole by patch %d, by entry "
              "%d), runs with a fault that lose nothing %d\n",
              c.scenario, c.kind, c.fromNthOn ? " from the Nth on" : "", runs, faults,
              filesChecked, byPatch, byEntry, wholeRuns);
}

std::vector<SweepCase> Cases() {
  std::vector<SweepCase> cases;
  for (const char* scenario : {"fresh-95", "fresh-nt", "upgrade"})
    for (const char* kind : {"open", "read", "write", "rename", "delete", "registry"})
      for (bool fromNthOn : {false, true}) cases.push_back({scenario, kind, fromNthOn});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(WholeInstallations, FaultSweep, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<SweepCase>& info) {
                           return Name(info.param);
                         });

}  // namespace
