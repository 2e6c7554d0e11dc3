#include "frame/help.h"

#include "frame/helpers.h"
#include "frame/paths.h"
#include "frame/setup_state.h"

namespace {
void HelpFile(char* path) {
  GetModuleDir(path, kPathSize);
  AppendName(path, kPathSize, "ZVSET.HLP");
}
}  // namespace

void OpenHelpTopic(port::Window owner, unsigned long context) {
  char path[kPathSize];
  HelpFile(path);
  port::OpenHelp(owner, path, port::help::Context, context);
}

void CloseHelp(port::Window owner) {
  char path[kPathSize];
  HelpFile(path);
  port::OpenHelp(owner, path, port::help::Quit, 0);
}
