// The component stages on the real Win32 API: the program's own Windows entry
// point hands over the module instance, whose resources hold the dialogs.
// The argument text is "CASE OUTPUT"; what the case left goes to OUTPUT.
#include <fstream>
#include <string>

#include "platform/port.h"
#include "frame/setup_state.h"
#include "scenario.h"

int ZvsetMain(port::Instance instance, const char* argumentText) {
  ModuleInstance = instance;
  const std::string text = argumentText;
  const auto blank = text.find(' ');
  if (blank == std::string::npos) return 2;
  const std::string out = RunComponentsCase(text.substr(0, blank));
  std::ofstream(text.substr(blank + 1), std::ios::binary) << out;
  return out.empty() ? 2 : 0;
}
