// The resource script as the simulator reads it: the dialog templates and
// icons of res/zvset.rc.
//
// Property: any script is read or refused with sim::Error naming its line
// (nothing else is thrown); every dialog read is found by its id, and every
// control keeps the statement that made it.
#include <string>

#include "fuzz_support.h"
#include "platform/sim/resources.h"
#include "platform/sim/sim.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sim::ResourceScript script;
  try {
    script = sim::ParseResourceScript(std::string(reinterpret_cast<const char*>(data), size));
  } catch (const sim::Error& e) {
    FUZZ_CHECK(std::string(e.what()).find(':') != std::string::npos);
    return 0;
  }
  for (const sim::DialogTemplate& d : script.dialogs) {
    const sim::DialogTemplate* found = script.Dialog(d.id);
    FUZZ_CHECK(found && found->id == d.id);
    for (const sim::ControlTemplate& c : d.controls) {
      FUZZ_CHECK(c.kind != "");
      c.IsCheckBox();
      c.IsRadioButton();
    }
  }
  return 0;
}
