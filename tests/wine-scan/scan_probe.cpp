// The scan scenario on the real Win32 API: the program's own Windows entry
// point hands over the module instance, whose resources hold the dialog and
// its icons. The argument text names the file that gets the registry line.
#include <fstream>

#include "platform/port.h"
#include "frame/setup_state.h"
#include "scenario.h"

int ZvsetMain(port::Instance instance, const char* argumentText) {
  ModuleInstance = instance;
  std::ofstream(argumentText, std::ios::binary) << RunScanOnce() << "\n";
  return 0;
}
