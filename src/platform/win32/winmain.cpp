// The program's Windows entry point: hands the module instance and the
// argument text to the setup frame.
#include <windows.h>

#include "frame/entry.h"

// The runtime's command-line text already is the argument text: the command
// line after the program's own name, quoted or not, and the blanks after it.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  return ZvsetMain(reinterpret_cast<port::Instance>(instance), commandLine);
}
