// Lookups among the simulated machine's windows, for the port's files.
#pragma once

#include <string>
#include <utility>

#include "platform/sim/state.h"

namespace sim {

// Icon handles carry the icon's resource id above this base.
constexpr std::uintptr_t kIconBase = 0x20000;

TopWindow* FindTop(port::Window handle);
OpenDialog* FindDialog(port::Window handle);
std::pair<OpenDialog*, Control*> FindControl(port::Window handle);
// Removes another program's window; `by` says who closed it.
void CloseTopWindow(const std::string& title, const std::string& by);
// The user puts the disk into an empty drive; it stays there for later runs.
void InsertDisk(char drive);
void RemoveDisk(char drive);

}  // namespace sim
