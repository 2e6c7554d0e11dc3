// Where Zelvane is installed already: on this system (its uninstall entry)
// or on the other system of a dual-boot machine (the path record names that
// system's Windows directory, whose info record holds the version).
#pragma once

// Nonzero when the uninstall key exists.
int IsUninstallEntryPresent();
// 1 when the path record names the other system's Windows directory.
int IsInstalledOnOtherSystem();
// The version recorded in the other system's info record, read into 6
// characters and converted as a decimal number; 0 when there is none.
double GetOtherSystemVersion();
