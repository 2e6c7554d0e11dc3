// The handler of "/initsetup", run by the front end before it copies
// anything: records the version being installed, finds where Zelvane is
// installed already, records the edition, warns and scans, and decides how
// the installation goes on.
#pragma once

// 1 when the front end is to go on with its copy; 0 when the installation
// was stopped here (the "Setup" window closed) or taken over on this road.
int HandleInitSetup(const char* argumentText);
