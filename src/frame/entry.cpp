#include "frame/entry.h"

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
