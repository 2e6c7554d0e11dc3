// What the runs on a machine did to what machine.ini describes: disks the
// user put in or took out, windows left open or closed, a restart pending.
// It is kept in state.ini beside machine.ini, so that machine.ini stays as
// the user wrote it. Each entry of state.ini stands for the same entry of
// machine.ini, an empty value for one that is not there; deleting state.ini
// starts the machine again as machine.ini has it.
#pragma once

#include <string>

#include "platform/sim/ini_file.h"

namespace sim {

constexpr const char* kRunStateFile = "state.ini";

// Reads `folder`'s state.ini, when there is one, over `ini` (its machine.ini)
// and keeps its text in `text`; throws Error naming the line it cannot take.
void ApplyRunState(const std::string& folder, IniFile& ini, std::string& text);

// state.ini's text for the machine as it is now (`now`) against machine.ini
// as written; "" when the two agree.
std::string RunStateText(const IniFile& written, const IniFile& now);

}  // namespace sim
