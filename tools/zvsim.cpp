// zvsim: makes fresh simulated machines for zvset and the tests, and
// rehearses whole installations on them.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/sim/sim.h"
#include "platform/sim/text.h"
#include "rehearsal.h"

namespace {

const char kUsage[] =
    "usage: zvsim new DIR [--windows 95|nt|dual] [--word 6|97]\n"
    "       zvsim rehearse SCENARIO-FOLDER [--keep DIR] [--verbose]\n"
    "\n"
    "new: makes a fresh simulated machine in DIR (which must not exist or be\n"
    "empty): a Windows 95 one (the default), a Windows NT one, or a dual-boot\n"
    "one on which both share drive C:. The folder is plain text to read and\n"
    "edit: machine.ini, disk/<drive>/..., registry/<system>/*.reg; runs keep\n"
    "what they did to its drives and windows in state.ini. --word puts\n"
    "Word on it as a user's installation leaves it: Word 6 in C:\\WINWORD, or\n"
    "Word 97 in Office's folders with Office's key.\n"
    "\n"
    "rehearse: runs a scenario (see scenarios/README.md) on a fresh machine:\n"
    "each stage's transcript, what the front end does between the stages, and\n"
    "at the end what the installation changed on the machine. The machine is\n"
    "made in DIR and kept there with --keep, else in a scratch folder that is\n"
    "removed afterwards. --verbose shows the lookups too: every registry read\n"
    "and file test with what it found.\n";

int RehearseCommand(int argc, char** argv) {
  if (argc < 3) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::string keep;
  for (int i = 3; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--keep" && i + 1 < argc) {
      keep = argv[++i];
    } else if (a == "--verbose") {
      sim::SetVerboseTranscript(true);
    } else if (a == "--keep") {
      std::fprintf(stderr, "zvsim: --keep needs a value\n%s", kUsage);
      return 2;
    } else {
      std::fprintf(stderr, "zvsim: unknown option %s\n%s", a.c_str(), kUsage);
      return 2;
    }
  }
  namespace fs = std::filesystem;
  const std::string machine =
      !keep.empty() ? keep
                    : (fs::temp_directory_path() /
                       ("zvsim-rehearsal-" + std::to_string(::getpid()))).string();
  if (keep.empty()) fs::remove_all(machine);
  const int status = Rehearse(argv[2], machine);
  if (keep.empty()) fs::remove_all(machine);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc >= 2 && std::string(argv[1]) == "rehearse") return RehearseCommand(argc, argv);
  if (argc < 3 || std::string(argv[1]) != "new") {
    std::fputs(kUsage, stderr);
    return 2;
  }
  sim::MachineKind kind = sim::MachineKind::Windows95;
  std::string word;
  for (int i = 3; i < argc; ++i) {
    const std::string a = argv[i];
    if (a != "--word" && a != "--windows") {
      std::fprintf(stderr, "zvsim: unknown option %s\n%s", a.c_str(), kUsage);
      return 2;
    }
    if (i + 1 >= argc) {
      std::fprintf(stderr, "zvsim: %s needs a value\n%s", a.c_str(), kUsage);
      return 2;
    }
    const std::string v = argv[++i];
    if (a == "--word" && (v == "6" || v == "97")) {
      word = v;
    } else if (a == "--windows" && sim::SameText(v, "95")) {
      kind = sim::MachineKind::Windows95;
    } else if (a == "--windows" && sim::SameText(v, "nt")) {
      kind = sim::MachineKind::WindowsNT;
    } else if (a == "--windows" && sim::SameText(v, "dual")) {
      kind = sim::MachineKind::DualBoot;
    } else {
      std::fprintf(stderr, "zvsim: %s %s: expected %s\n", a.c_str(), v.c_str(),
                   a == "--word" ? "6 or 97" : "95, nt or dual");
      return 2;
    }
  }
  try {
    sim::CreateMachine(argv[2], kind);
    if (!word.empty())
      sim::InstallWord(argv[2], word == "97" ? sim::WordKind::Word97 : sim::WordKind::Word6);
  } catch (const sim::Error& e) {
    std::fprintf(stderr, "zvsim: %s\n", e.what());
    return 1;
  }
  std::printf("made %s\n", argv[2]);
  return 0;
}
