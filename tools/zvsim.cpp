// zvsim: makes fresh simulated machines for zvset and the tests.
#include <cstdio>
#include <string>

#include "platform/sim/sim.h"

namespace {

const char kUsage[] =
    "usage: zvsim new DIR [--windows 95|nt|dual]\n"
    "\n"
    "Makes a fresh simulated machine in DIR (which must not exist or be empty):\n"
    "a Windows 95 one (the default), a Windows NT one, or a dual-boot one on\n"
    "which both share drive C:. The folder is plain text to read and edit:\n"
    "machine.ini, disk/<drive>/..., registry/<system>/*.reg.\n";

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
  for (int i = 3; i < argc; ++i) {
    const std::string a = argv[i];
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
  } catch (const sim::Error& e) {
    std::fprintf(stderr, "zvsim: %s\n", e.what());
    return 1;
  }
  std::printf("made %s\n", argv[2]);
  return 0;
}
