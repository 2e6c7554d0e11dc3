// The same version of Zelvane already installed under the other Windows of
// a dual-boot machine: made usable under this one too, with nothing copied.
#pragma once

constexpr const char* kReconfigureTitle = "Setup";
// The last word of the reconfiguration.
constexpr const char* kInstalledText = "Zelvane has been successfully installed.";

// Asks first; on OK registers and records the installation for this system,
// builds the program group, brings the start-up files into line, runs the
// component stages, closes the front end and reports success.
void ReconfigureForThisSystem();
