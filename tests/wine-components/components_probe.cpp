// The components scenario on the real Win32 API: the program's own Windows
// entry point hands over the module instance, whose resources hold the
// dialog and its icon. The argument text is "STEP OUTPUT": the step is
// prepared and run, and what it left goes into the output file.
#include <fstream>
#include <string>

#include "platform/port.h"
#include "frame/setup_state.h"
#include "scenario.h"

int ZvsetMain(port::Instance instance, const char* argumentText) {
  const std::string arguments = argumentText;
  const std::size_t blank = arguments.find(' ');
  if (blank == std::string::npos) return 2;
  const std::string step = arguments.substr(0, blank);
  PrepareStep(step);
  ModuleInstance = instance;
  const std::string result = RunStep(step);
  std::ofstream(arguments.substr(blank + 1), std::ios::binary) << result;
  return 0;
}
