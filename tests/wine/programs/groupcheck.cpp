// The program group on the shell of the machine it runs on: takes the
// install directory from its argument in short form, as the setup stages
// hold it, and builds the group through the shell's program manager service.
#include <cstring>

#include "frame/setup_state.h"
#include "platform/port.h"
#include "postinstall/program_group.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const unsigned length = port::ShortPathName(argv[1], InstallDir, sizeof InstallDir);
  if (length == 0 || length + 1 >= sizeof InstallDir) return 2;
  if (InstallDir[length - 1] != '\\') std::strcat(InstallDir, "\\");
  CreateProgramGroup();
  return 0;
}
