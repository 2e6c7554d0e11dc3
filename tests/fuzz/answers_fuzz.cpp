// The answer script: how the scripted user answers every box and dialog.
//
// Property: any script is read or refused with sim::Error (nothing else is
// thrown, nothing is read past its text); and what a script holds never
// reaches into the lines after it: a box answer and a dialog answer added
// after any script that is read are found by their own title and template
// id, with their own button and actions, on their own lines.
#include <algorithm>
#include <string>

#include "fuzz_support.h"
#include "platform/sim/answers.h"
#include "platform/sim/sim.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string script(reinterpret_cast<const char*>(data), size);
  sim::Answers answers;
  try {
    answers.Add(script, "fuzz.answers");
  } catch (const sim::Error&) {
    return 0;
  }
  if (script.find("FUZZ") != std::string::npos || script.find("7777") != std::string::npos) return 0;
  const int lines = static_cast<int>(std::count(script.begin(), script.end(), '\n')) + 1;
  sim::Answers more;
  more.Add(script + "\nbox \"FUZZ\" \"TEXT\" No\ndialog 7777 set 12 \"a\\\"b\" press 1\n",
           "fuzz.answers");
  sim::Answer* box = more.ForBox("FUZZ", "SOME TEXT HERE");
  FUZZ_CHECK(box && box->button == sim::ButtonId("No") && box->line == lines + 1);
  sim::Answer* dialog = more.ForDialog(7777);
  FUZZ_CHECK(dialog && dialog->line == lines + 2 && dialog->actions.size() == 2);
  FUZZ_CHECK(dialog->actions[0].kind == sim::DialogAction::Kind::Set &&
             dialog->actions[0].control == 12 && dialog->actions[0].text == "a\"b");
  for (const char* word : {"OK", "Cancel", "Yes", "No"})
    FUZZ_CHECK(std::string(sim::ButtonWord(sim::ButtonId(word))) == word);
  return 0;
}
