// The program's Windows entry point: hands the module instance and the
// argument text to the setup frame.
#include <windows.h>

#include "platform/port.h"
#include "platform/command_line.h"
#include "platform/record.h"

// The argument text is taken from the command line as the system passes it,
// not from the runtime's split of it, which ends an unquoted program path at
// its first blank: the RunOnce entry starts the program by its path unquoted.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  char modulePath[MAX_PATH] = "", shortModulePath[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
  if (length == 0 || length >= sizeof modulePath) modulePath[0] = '\0';
  const DWORD shortLength = GetShortPathNameA(modulePath, shortModulePath, sizeof shortModulePath);
  if (shortLength == 0 || shortLength >= sizeof shortModulePath) shortModulePath[0] = '\0';
  const char* argumentText = ArgumentTextOf(GetCommandLineA(), modulePath, shortModulePath);
  record::RunStarts(argumentText, port::SystemKind());
  const int exitCode = ZvsetMain(reinterpret_cast<port::Instance>(instance), argumentText);
  record::RunEnds(exitCode);
  return exitCode;
}
