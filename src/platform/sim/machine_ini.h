// machine.ini checked when the machine is opened, before anything runs: a
// line it cannot read, a section or key the simulator does not know, a value
// out of range or a missing setting is an error naming the file, the line and
// the key, never a setting quietly ignored.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/ini_file.h"

namespace sim {

// Throws Error on the first fault of `ini`, the machine.ini of `folder`.
void CheckMachineIni(const IniFile& ini, const std::string& folder);

// Throws Error on the first entry of `state`, the state.ini `file` beside
// machine.ini, that is not what a run keeps or is out of range.
void CheckRunState(const IniFile& state, const std::string& file);

// Throws Error when the words of a [Programs] "word ..." behaviour of the
// program `name` are not Word's options.
void CheckWordOptions(const std::string& name, const std::vector<std::string>& words);

}  // namespace sim
