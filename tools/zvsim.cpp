// zvsim: makes fresh simulated machines for zvset and the tests.
#include <cstdio>
#include <string>

#include "platform/sim/sim.h"

namespace {

const char kUsage[] =
    "usage: zvsim new DIR [--windows 95|nt|dual] [--word 6|97]\n"
    "\n"
    "Makes a fresh simulated machine in DIR (which must not exist or be empty):\n"
    "a Windows 95 one (the default), a Windows NT one, or a dual-boot one on\n"
    "which both share drive C:. The folder is plain text to read and edit:\n"
    "machine.ini, disk/<drive>/..., registry/<system>/*.reg.\n"
    "\n"
    "--word puts Word on it as a user's installation leaves it: Word 6 in\n"
    "C:\\WINWORD, or Word 97 in Office's folders with Office's key.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc < 3 || std::string(argv[1]) != "new") {
    std::fputs(kUsage, stderr);
    return 2;
  }
  sim::MachineKind kind = sim::MachineKind::Windows95;
  std::string word;
  for (int i = 3; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--word" && i + 1 < argc) {
      word = argv[++i];
      if (word == "6" || word == "97") continue;
      std::fprintf(stderr, "zvsim: --word takes 6 or 97\n%s", kUsage);
      return 2;
    }
    const std::string w = a == "--windows" && i + 1 < argc ? argv[++i] : "";
    if (w == "95") kind = sim::MachineKind::Windows95;
    else if (w == "nt" || w == "NT") kind = sim::MachineKind::WindowsNT;
    else if (w == "dual") kind = sim::MachineKind::DualBoot;
    else {
      std::fprintf(stderr, "zvsim: unknown option %s\n%s", a.c_str(), kUsage);
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
