// The program's Windows entry point: hands the module instance and the
// argument text to the setup frame.
#include <windows.h>

#include "frame/entry.h"

namespace {

// The argument text is what follows the program's own name (quoted or not)
// and the blanks after it. It is taken from the process's command line
// itself, so that it does not depend on how the C runtime splits it.
const char* ArgumentText(const char* commandLine) {
  const char* p = commandLine;
  bool quoted = false;
  for (; *p != '\0'; ++p) {
    if (*p == '"') {
      quoted = !quoted;
    } else if (!quoted && (*p == ' ' || *p == '\t')) {
      break;
    }
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return ZvsetMain(reinterpret_cast<port::Instance>(instance), ArgumentText(GetCommandLineA()));
}
