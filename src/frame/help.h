// The help file ZVSET.HLP beside the program, opened by the dialogs' Help
// buttons at a fixed topic and closed when they go.
#pragma once

#include "platform/port.h"

constexpr unsigned long kHelpStartupComponents = 74496;       // template 102
constexpr unsigned long kHelpStartupComponentsFull = 74497;   // template 103
constexpr unsigned long kHelpWordComponents = 74498;          // template 149

void OpenHelpTopic(port::Window owner, unsigned long context);
void CloseHelp(port::Window owner);
