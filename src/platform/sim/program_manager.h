// The shell's program manager service "PROGMAN" on the simulated machine.
// Groups are folders of the booted Windows' Start Menu Programs folder, items
// are shortcut files in them: a person can read what a setup built.
#pragma once

#include <string>

namespace sim {

// Whether the shell serves "PROGMAN": machine.ini [Shell] ProgramManager,
// present unless it says absent.
bool ProgramManagerPresent();

// Carries out an execute string of one or more bracketed commands
// ([CreateGroup(...)][AddItem(...)]...). False, with nothing after it done,
// at the first command that is unknown, malformed or cannot be carried out.
bool ProgramManagerExecute(const std::string& commands);

}  // namespace sim
