// The program's entry, declared in the port: each verb of the argument text
// that begins it is handled in turn, with the setup window hidden meanwhile.
#include "platform/port.h"

#include <cstddef>

#include "frame/setup_state.h"
#include "frame/setup_window.h"
#include "frame/verbs.h"

int ZvsetMain(port::Instance instance, const char* argumentText) {
  // Each run starts from the initial setup state, as a new process does.
  ResetSetupState();
  if (!argumentText || !*argumentText) return 0;
  ModuleInstance = instance;
  HideSetupWindow();
  // One test after another, each after the previous handler has returned.
  for (const Verb& verb : kVerbs)
    if (verb.handler && BeginsWithVerb(argumentText, verb)) verb.handler(argumentText);
  ShowSetupWindow();
  return 0;
}
