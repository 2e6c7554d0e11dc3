// zvset: runs ZVSET on a simulated machine and prints what happened.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "builtin_libraries.h"
#include "platform/port.h"
#include "platform/record.h"
#include "platform/sim/sim.h"
#include "platform/sim/text.h"

namespace {

const char kUsage[] =
    "usage: zvset --machine DIR [--answers FILE] [--boot 95|NT] [--follow] [--verbose]\n"
    "             [--] ARGUMENT-TEXT\n"
    "\n"
    "Runs ZVSET once on the simulated machine in DIR, as the setup front end\n"
    "would run it with ARGUMENT-TEXT on its command line (for example\n"
    "\"/initsetup*A:\\*C:\\ZV*0*2*0*0*0*x*5.0\"), and prints the transcript:\n"
    "every message box and dialog with the user's answer, every window\n"
    "operation, program started, registry value and file changed.\n"
    "\n"
    "  --machine DIR   the machine folder (make one with zvsim)\n"
    "  --answers FILE  the answer script for the scripted user\n"
    "  --boot 95|NT    which Windows of a dual-boot machine runs\n"
    "  --follow        after a restart of Windows, boot again and run what\n"
    "                  Windows runs at its start (the RunOnce entries)\n"
    "  --verbose       show the lookups too: every registry read and file\n"
    "                  test with what it found\n"
    "\n"
    "When the environment variable ZVSET_LOG names a file, the lines of the\n"
    "run that the Windows build writes to its own log are appended there too.\n"
    "\n"
    "Exit status: 0 when the run ended normally or with a restart, 1 when it\n"
    "stopped (a prompt had no answer, or the machine is broken), 2 on bad usage.\n";

constexpr port::Instance kModuleInstance = 0x400000;

}  // namespace

int main(int argc, char** argv) {
  std::string machineDir, answers, boot, text;
  bool follow = false, haveText = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "zvset: %s needs a value\n", a.c_str());
        std::exit(2);
      }
      into = argv[++i];
    };
    if (a == "--help" || a == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (a == "--machine") {
      value(machineDir);
    } else if (a == "--answers") {
      value(answers);
    } else if (a == "--boot") {
      value(boot);
    } else if (a == "--follow") {
      follow = true;
    } else if (a == "--verbose") {
      sim::SetVerboseTranscript(true);
    } else if (a == "--" && i + 1 < argc) {
      text = argv[++i];
      haveText = true;
    } else if (!haveText && (a.empty() || a.rfind("--", 0) != 0)) {
      text = a;
      haveText = true;
    } else {
      std::fprintf(stderr, "zvset: unknown option %s\n%s", a.c_str(), kUsage);
      return 2;
    }
  }
  if (machineDir.empty()) {
    std::fprintf(stderr, "zvset: --machine DIR is required\n%s", kUsage);
    return 2;
  }
  if (!boot.empty() && !sim::SameText(boot, "95") && !sim::SameText(boot, "NT")) {
    std::fprintf(stderr, "zvset: --boot %s: expected 95 or NT\n", boot.c_str());
    return 2;
  }
  // An empty argument text is given as -- '', as Windows passes one.
  if (!haveText) {
    std::fprintf(stderr, "zvset: ARGUMENT-TEXT is missing (-- '' for none)\n%s", kUsage);
    return 2;
  }
  std::unique_ptr<sim::Machine> machine;
  try {
    machine = sim::Machine::Open(machineDir, boot);
    if (!answers.empty()) machine->LoadAnswers(answers);
    RegisterBuiltinLibraries();
    // ZVSET's own file, started again by Windows from a RunOnce entry.
    sim::RegisterProgram("ZVSET.EXE", [](const std::string& arguments) {
      record::RunStarts(arguments.c_str(), port::SystemKind());
      const int code = ZvsetMain(kModuleInstance, arguments.c_str());
      record::RunEnds(code);
      return code;
    });
    const int systemKind = machine->System() == "95" ? 1 : 2;
    std::printf("%s\n", record::RunStarts(text.c_str(), systemKind).c_str());
    sim::RunResult result = machine->Run([&] { return ZvsetMain(kModuleInstance, text.c_str()); });
    while (follow && result.ending == sim::RunResult::Ending::Restarted) result = machine->Boot();
    machine->NoteUnusedAnswers();
    std::fputs(machine->TranscriptText().c_str(), stdout);
    switch (result.ending) {
      case sim::RunResult::Ending::Exited:
        std::printf("%s\n", record::RunEnds(result.exitCode).c_str());
        return 0;
      case sim::RunResult::Ending::Restarted:
        std::printf("ended by the restart; boot again with --follow\n");
        return 0;
      case sim::RunResult::Ending::Stopped:
        std::fprintf(stderr, "zvset: the run stopped: %s\n", result.message.c_str());
        return 1;
    }
  } catch (const sim::Error& e) {
    // What the runs did before the machine failed is still shown.
    if (machine) std::fputs(machine->TranscriptText().c_str(), stdout);
    std::fprintf(stderr, "zvset: %s\n", e.what());
    return 1;
  }
  return 0;
}
