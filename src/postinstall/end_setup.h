// "/endsetup": after the front end has copied the product's files, turns them
// into a working installation on the running system.
#pragma once

// `argumentText` is the whole argument text, beginning with the verb; its
// list holds the source directory and the install directory.
void HandleEndSetup(const char* argumentText);

// The full scan of every drive, offered when the pre-install scan found a
// virus; returns once the scan has ended, with ExecFile's result.
int RunDisinfection();
